# Sourced: a Wine environment kept inside one folder, for the demo and the release tests.
#   source scripts/wine-sandbox.sh <folder>
# The prefix is <folder>/wineprefix and HOME is <folder>/home, so the Windows user folders
# Wine links to HOME (Documents, and with it Pellaro's settings file) stay inside the
# folder and the user's own files are never touched. No Mono or Gecko installer is offered,
# and no shortcut becomes a menu entry of the Linux desktop.
mkdir -p "$1/home"
export HOME="$1/home"
export WINEPREFIX="$1/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
