; The Windows installer: ORVIK-<version>-setup.exe (makensis, Unicode).
; Installs for the user alone by default (office PCs give no administrator
; rights), for all users when chosen (the page, or /AllUsers; /CurrentUser
; for the default): orvik.exe, orvik-cli.exe, the read-me and the licence,
; a Start-menu entry, an uninstaller listed in Apps & features, ORVIK in the
; "Open with" list of .jwc and .jww files with its icon (their default
; program only where nothing opens them yet: JW_CAD keeps its drawings), and
; the Explorer verb "DXFに変換", which converts the selected drawings to DXF
; files beside them with the settings the window keeps, without a window
; (asking before it replaces an existing DXF). Optionally
; (the component, or /PATH on the command line) the install folder joins the
; user's PATH, so that orvik-cli runs from any command prompt. A silent
; install (/S) and uninstall (/S) leave nothing, the window's kept settings
; included.
;
;   makensis -DVERSION=0.20 -DBIN=<folder of the .exe files> -DDOCS=<folder of README.txt, LICENSE.txt> -DOUT=<setup.exe> orvik.nsi

Target amd64-unicode  ; a 64-bit installer for the 64-bit program
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_INSTDIR "ORVIK"
!define MULTIUSER_USE_PROGRAMFILES64
; Where the uninstaller finds how it was installed.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ORVIK"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh
!include WinMessages.nsh
!include WordFunc.nsh

!define PRODUCT "ORVIK"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ORVIK"
!define VERB_NAME "ORVIK.ConvertToDxf"
!define PROG_ID "ORVIK.Drawing"
!define SETTINGS_KEY "Software\ORVIK"  ; the window's kept settings (HKCU)

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT}"
SetCompressor /SOLID lzma

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; One file type: the verb "DXFに変換" converting it beside itself with the
; kept settings, ORVIK in its "Open with" list, and ORVIK as the program that
; opens it where none does yet.
!macro FileType EXTENSION
  WriteRegStr SHCTX "Software\Classes\SystemFileAssociations\${EXTENSION}\shell\${VERB_NAME}" "" "DXFに変換"
  WriteRegStr SHCTX "Software\Classes\SystemFileAssociations\${EXTENSION}\shell\${VERB_NAME}\command" "" '"$INSTDIR\orvik.exe" /convert "%1"'
  ; Offered for up to 100 selected drawings (15 by default); their runs gather into one.
  WriteRegStr SHCTX "Software\Classes\SystemFileAssociations\${EXTENSION}\shell\${VERB_NAME}" "MultiSelectModel" "Player"
  WriteRegStr SHCTX "Software\Classes\${EXTENSION}\OpenWithProgids" "${PROG_ID}" ""
  ReadRegStr $0 HKCR "${EXTENSION}" ""
  ${If} $0 == ""
    WriteRegStr SHCTX "Software\Classes\${EXTENSION}" "" "${PROG_ID}"
  ${EndIf}
!macroend

!macro un.FileType EXTENSION
  DeleteRegKey SHCTX "Software\Classes\SystemFileAssociations\${EXTENSION}\shell\${VERB_NAME}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\SystemFileAssociations\${EXTENSION}\shell"
  DeleteRegKey /ifempty SHCTX "Software\Classes\SystemFileAssociations\${EXTENSION}"
  DeleteRegValue SHCTX "Software\Classes\${EXTENSION}\OpenWithProgids" "${PROG_ID}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\${EXTENSION}\OpenWithProgids"
  ReadRegStr $0 SHCTX "Software\Classes\${EXTENSION}" ""
  ${If} $0 == "${PROG_ID}"
    DeleteRegValue SHCTX "Software\Classes\${EXTENSION}" ""
  ${EndIf}
  DeleteRegKey /ifempty SHCTX "Software\Classes\${EXTENSION}"
!macroend

Section "ORVIK" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${BIN}/orvik.exe"
  File "${BIN}/orvik-cli.exe"
  File "${DOCS}/README.txt"
  File "${DOCS}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\ORVIK.lnk" "$INSTDIR\orvik.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\orvik.exe",0'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegStr SHCTX "Software\Classes\${PROG_ID}" "" "JW_CAD 図面"
  WriteRegStr SHCTX "Software\Classes\${PROG_ID}\DefaultIcon" "" '"$INSTDIR\orvik.exe",0'
  WriteRegStr SHCTX "Software\Classes\${PROG_ID}\shell\open\command" "" '"$INSTDIR\orvik.exe" "%1"'
  !insertmacro FileType ".jwc"
  !insertmacro FileType ".jww"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED: Explorer shows the icons
SectionEnd

Section /o "orvik-cli を PATH に追加" SecPath
  ReadRegStr $0 HKCU "Environment" "Path"
  ${If} $0 == ""
    WriteRegExpandStr HKCU "Environment" "Path" "$INSTDIR"
  ${Else}
    ClearErrors
    ${WordFind} "$0" "$INSTDIR" "E#" $1
    ${If} ${Errors}
      WriteRegExpandStr HKCU "Environment" "Path" "$0;$INSTDIR"
    ${EndIf}
  ${EndIf}
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
SectionEnd

; /PATH on the command line chooses the PATH component (for silent installs).
Function .onInit
  !insertmacro MULTIUSER_INIT
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PATH" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecPath}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Uninstall"
  !insertmacro un.FileType ".jwc"
  !insertmacro un.FileType ".jww"
  DeleteRegKey SHCTX "Software\Classes\${PROG_ID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  Delete "$SMPROGRAMS\ORVIK.lnk"
  ; The install folder out of the user's PATH, wherever it stands in it.
  ReadRegStr $0 HKCU "Environment" "Path"
  ${If} $0 != ""
    ${un.WordReplace} "$0" ";$INSTDIR" "" "+" $1
    ${un.WordReplace} "$1" "$INSTDIR;" "" "+" $1
    ${If} $1 == "$INSTDIR"
      DeleteRegValue HKCU "Environment" "Path"
    ${ElseIf} $1 != $0
      WriteRegExpandStr HKCU "Environment" "Path" "$1"
    ${EndIf}
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  ${EndIf}
  Delete "$INSTDIR\orvik.exe"
  Delete "$INSTDIR\orvik-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; What the install made around its own keys and folder, when nothing else is left in it.
  DeleteRegKey /ifempty SHCTX "Software\Classes\SystemFileAssociations"
  ${If} $MultiUser.InstallMode == "CurrentUser"
  ${AndIf} "$INSTDIR" == "$LOCALAPPDATA\Programs\ORVIK"
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
  ; The uninstaller runs from a copy of itself in a folder of its own in
  ; $TEMP (~nsu*.tmp), which it cannot remove while it runs and leaves until
  ; the next restart: a hidden command started as it ends tries to remove that
  ; folder every second or so (for half a minute at most) until the
  ; uninstaller has quit and the folder is gone.
  ${GetFileName} "$EXEDIR" $0
  StrCpy $0 $0 4
  ${If} $0 == "~nsu"
    SetOutPath "$TEMP"  ; the command's working folder: not the one it removes
    ExecShell "" "$SYSDIR\cmd.exe" '/c for /l %i in (1,1,30) do (ping -n 2 127.0.0.1 >nul & rmdir /s /q "$EXEDIR" 2>nul & if not exist "$EXEDIR" exit)' SW_HIDE
  ${EndIf}
SectionEnd

