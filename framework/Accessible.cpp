#include "framework/Accessible.h"

DString accessKeyText(char key)
{
    if (key == 0)
        return DString();
    return DString("Alt+") + fromChar(static_cast<unsigned char>(key));
}
