; Pellaro's setup program, built with makensis (see tools/installer/make-dist.sh):
;   makensis -INPUTCHARSET UTF8 -DPELLARO_EXE=<Pellaro.exe> -DPELLARO_VERSION=<2.3>
;            -DPELLARO_FILE_VERSION=<2.3.0.0> -DPELLARO_LICENSE=<LICENSE> -DPELLARO_OUTFILE=<setup.exe>
;            Pellaro.nsi
; PELLARO_EXE is the released program, without its debug information (make-dist.sh keeps
; that in a file of its own beside the release files).
; It installs Pellaro.exe for the current user (default, no elevation) or for all users,
; optionally adds a Start-menu shortcut and a per-user Run entry that starts Pellaro at
; sign-in, and registers an uninstaller under "Apps & features". The uninstaller removes
; the program, the shortcut and the Run entry; the user's settings file (.Pellaro.ini in
; the documents folder) stays unless the user ticks its box.
;
; Command line (silent mode /S too):
;   /CurrentUser or /AllUsers   for whom to install (the uninstaller gets the same switch)
;   /NOSTARTMENU                no Start-menu shortcut
;   /NOAUTOSTART                no "start when I sign in" entry
;   /D=<folder>                 the program folder (last, unquoted)
; Uninstaller: /S for silent, /REMOVESETTINGS removes the settings file as well.

; A 64-bit setup program for a 64-bit program: it runs only where Pellaro.exe can, and it
; sees the same registry and Program Files folder as the program.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!ifndef PELLARO_EXE | PELLARO_VERSION | PELLARO_FILE_VERSION | PELLARO_LICENSE | PELLARO_OUTFILE
  !error "PELLARO_EXE, PELLARO_VERSION, PELLARO_FILE_VERSION, PELLARO_LICENSE and PELLARO_OUTFILE must be defined"
!endif

!define PRODUCT "Pellaro"
!define PUBLISHER "The Pellaro developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pellaro"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define OWN_KEY "Software\Pellaro"
!define UNINSTALLER "Uninstall.exe"
!define SETTINGS_FILE ".Pellaro.ini"

Name "${PRODUCT}"
OutFile "${PELLARO_OUTFILE}"
BrandingText "${PRODUCT} ${PELLARO_VERSION}"

VIProductVersion "${PELLARO_FILE_VERSION}"
VIFileVersion "${PELLARO_FILE_VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${PELLARO_VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${PELLARO_VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "MIT License, ${PUBLISHER}"

; Who to install for. Pellaro is a per-user tray program, so the default is the current
; user; an administrator may choose all users on the mode page or with /AllUsers.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Pellaro"
; An earlier installation decides the default mode and folder.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "DisplayName"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"

!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define MUI_ABORTWARNING
!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_COMPONENTSPAGE_NODESC
; The language chosen at the start is kept for the uninstaller.
!define MUI_LANGDLL_REGISTRY_ROOT HKCU
!define MUI_LANGDLL_REGISTRY_KEY "${OWN_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "Installer Language"
!define MUI_LANGDLL_ALLLANGUAGES

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${PELLARO_LICENSE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Pellaro.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
; NSIS's Hungarian strings lack the install-mode page; defined here, they take the place of
; the English fallback.
!define MULTIUSER_TEXT_INSTALLMODE_TITLE "Felhasználók kiválasztása"
!define MULTIUSER_TEXT_INSTALLMODE_SUBTITLE "Válassza ki, mely felhasználók számára telepíti: $(^NameDA)."
!define MULTIUSER_INNERTEXT_INSTALLMODE_TOP "Telepítheti a(z) $(^NameDA) programot csak a saját részére, vagy a számítógép minden felhasználója számára. A postafiókokat és a beállításokat mindkét esetben minden felhasználó maga tárolja. $(^ClickNext)"
!define MULTIUSER_INNERTEXT_INSTALLMODE_ALLUSERS "Telepítés a számítógép minden felhasználójának"
!define MULTIUSER_INNERTEXT_INSTALLMODE_CURRENTUSER "Telepítés csak a saját részemre"
!insertmacro MUI_LANGUAGE "Hungarian"

LangString SecProgramName ${LANG_ENGLISH} "Pellaro (required)"
LangString SecProgramName ${LANG_HUNGARIAN} "Pellaro (szükséges)"
LangString SecStartMenuName ${LANG_ENGLISH} "Start menu shortcut"
LangString SecStartMenuName ${LANG_HUNGARIAN} "Parancsikon a Start menüben"
LangString SecAutoStartName ${LANG_ENGLISH} "Start Pellaro when I sign in"
LangString SecAutoStartName ${LANG_HUNGARIAN} "A Pellaro indítása bejelentkezéskor"
LangString UnSecProgramName ${LANG_ENGLISH} "Pellaro, its shortcut and its start at sign-in"
LangString UnSecProgramName ${LANG_HUNGARIAN} "A Pellaro, a parancsikonja és az indítása bejelentkezéskor"
LangString UnSecSettingsName ${LANG_ENGLISH} "Remove my settings and mailboxes (.Pellaro.ini)"
LangString UnSecSettingsName ${LANG_HUNGARIAN} "A beállításaim és postafiókjaim törlése (.Pellaro.ini)"
LangString StillRunningSetup ${LANG_ENGLISH} "Pellaro.exe cannot be replaced while it is running. Choose Exit in Pellaro's tray menu, then Retry."
LangString StillRunningSetup ${LANG_HUNGARIAN} "A Pellaro.exe futás közben nem cserélhető le. Válassza a Pellaro tálcamenüjében a Kilépés parancsot, majd az Újra gombot."
LangString StillRunning ${LANG_ENGLISH} "Pellaro.exe cannot be removed while it is running. Choose Exit in Pellaro's tray menu, then Retry."
LangString StillRunning ${LANG_HUNGARIAN} "A Pellaro.exe futás közben nem törölhető. Válassza a Pellaro tálcamenüjében a Kilépés parancsot, majd az Újra gombot."

; ---------------------------------------------------------------------------------------
; Installation

Section "$(SecProgramName)" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; A Pellaro.exe that still runs cannot be replaced: ask the user to end it first (silent
  ; mode gives up, leaving the running copy as it was).
  ${If} ${FileExists} "$INSTDIR\Pellaro.exe"
    replace:
    ClearErrors
    Delete "$INSTDIR\Pellaro.exe"
    ${If} ${Errors}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunningSetup)" /SD IDCANCEL IDRETRY replace
      Abort
    ${EndIf}
  ${EndIf}
  File "/oname=Pellaro.exe" "${PELLARO_EXE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; "Apps & features". SHCTX is HKCU or HKLM, as the install mode set it.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${PELLARO_VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pellaro.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "$(SecStartMenuName)" SecStartMenu
  ; Directly in Programs, no folder of its own: there is only the one entry.
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Pellaro.exe" "" "$INSTDIR\Pellaro.exe" 0
SectionEnd

Section "$(SecAutoStartName)" SecAutoStart
  ; Always the installing user's own Run key: starting at sign-in is a personal choice even
  ; when the program is installed for everyone.
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Pellaro.exe"'
SectionEnd

; Last, so the size counts everything the sections put in the folder.
Section "-Size"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function .onInit
  ; The install mode sets its own default folder; a folder given with /D wins over it.
  StrCpy $R9 $INSTDIR
  !insertmacro MULTIUSER_INIT
  ${If} $R9 != ""
    StrCpy $INSTDIR $R9
  ${EndIf}
  !insertmacro MUI_LANGDLL_DISPLAY
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/NOSTARTMENU" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecStartMenu} 0
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/NOAUTOSTART" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecAutoStart} 0
  ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------------------
; Uninstallation

Section "un.$(UnSecProgramName)" UnSecProgram
  SectionIn RO
  ; A running Pellaro holds its file open: ask the user to end it (silent mode gives up).
  retry:
  ClearErrors
  Delete "$INSTDIR\Pellaro.exe"
  ${If} ${Errors}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
    Abort
  ${EndIf}
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ; Only our own Run entry: the value names the program in this folder.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} $0 == '"$INSTDIR\Pellaro.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegValue HKCU "${OWN_KEY}" "Installer Language"
  DeleteRegKey /ifempty HKCU "${OWN_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd

Section /o "un.$(UnSecSettingsName)" UnSecSettings
  ; The settings live in the documents folder of the user who runs the uninstaller, also
  ; after an installation for all users. Leftovers of an interrupted save go with it.
  SetShellVarContext current
  Delete "$DOCUMENTS\${SETTINGS_FILE}"
  Delete "$DOCUMENTS\${SETTINGS_FILE}.*.new"
  ${If} $MultiUser.InstallMode == "AllUsers"
    SetShellVarContext all
  ${EndIf}
SectionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  !insertmacro MUI_UNGETLANGUAGE
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${UnSecSettings} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
