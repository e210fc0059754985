; The Windows installer: ORVIK-<version>-setup.exe (makensis, Unicode).
; Installs for the user alone (office PCs give no administrator rights):
; orvik-cli.exe and the read-me under %LOCALAPPDATA%\Programs\ORVIK, an
; uninstaller listed in Apps & features, and the Explorer verb
; "DXFに変換" on .jwc and .jww files, which converts the drawing to a DXF
; file beside it (replacing one older than the drawing, never a newer one).
; Optionally (the component, or /PATH on the command line) the install folder
; joins the user's PATH, so that orvik-cli runs from any command prompt; the
; uninstaller takes it out again. A silent install (/S) and uninstall (/S)
; leave nothing.
;
;   makensis -DVERSION=0.20 -DBIN=<folder of orvik-cli.exe> -DDOCS=<folder of README.txt> -DOUT=<setup.exe> orvik.nsi

Target amd64-unicode  ; a 64-bit installer for the 64-bit program
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh
!include WinMessages.nsh
!include WordFunc.nsh

!define PRODUCT "ORVIK"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ORVIK"
!define VERB_NAME "ORVIK.ConvertToDxf"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT}"
InstallDir "$LOCALAPPDATA\Programs\ORVIK"
RequestExecutionLevel user
SetCompressor /SOLID lzma

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; The verb on one file type: shown as "DXFに変換", running the converter on the file.
!macro Verb EXTENSION
  WriteRegStr HKCU "Software\Classes\SystemFileAssociations\${EXTENSION}\shell\${VERB_NAME}" "" "DXFに変換"
  WriteRegStr HKCU "Software\Classes\SystemFileAssociations\${EXTENSION}\shell\${VERB_NAME}\command" "" '"$INSTDIR\orvik-cli.exe" convert --update "%1"'
!macroend

Section "ORVIK" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${BIN}/orvik-cli.exe"
  File "${DOCS}/README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  !insertmacro Verb ".jwc"
  !insertmacro Verb ".jww"
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
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PATH" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecPath}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  DeleteRegKey HKCU "Software\Classes\SystemFileAssociations\.jwc\shell\${VERB_NAME}"
  DeleteRegKey HKCU "Software\Classes\SystemFileAssociations\.jww\shell\${VERB_NAME}"
  DeleteRegKey /ifempty HKCU "Software\Classes\SystemFileAssociations\.jwc\shell"
  DeleteRegKey /ifempty HKCU "Software\Classes\SystemFileAssociations\.jww\shell"
  DeleteRegKey /ifempty HKCU "Software\Classes\SystemFileAssociations\.jwc"
  DeleteRegKey /ifempty HKCU "Software\Classes\SystemFileAssociations\.jww"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
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
  Delete "$INSTDIR\orvik-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
