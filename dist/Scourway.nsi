; Scourway installer: both files into Program Files, the control registered,
; a Start-menu shortcut and an uninstaller that takes back everything it added.
; Built by dist/CMakeLists.txt: makensis -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe>
Unicode true
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Scourway"
!define VERSION "1.0.7"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Scourway"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage components
UninstPage instfiles

Section "${PRODUCT}" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}/Scourway.exe"
  File "${STAGE}/Tollen.ocx"
  File "${STAGE}/README.txt"
  File "${STAGE}/NOTICE.txt"
  ; A list the user already has is theirs: never overwrite it.
  ${IfNot} ${FileExists} "$INSTDIR\KILL.LST"
    File "${STAGE}/KILL.LST"
    ; Remember the sample's time stamp: the uninstaller removes an untouched sample.
    GetFileTime "$INSTDIR\KILL.LST" $0 $1
    WriteRegStr HKLM "${UNINST_KEY}" "SampleListTime" "$0 $1"
  ${EndIf}

  ClearErrors
  RegDLL "$INSTDIR\Tollen.ocx"
  ${If} ${Errors}
    Abort "Tollen.ocx could not be registered."
  ${EndIf}

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Scourway.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Ansel Corrigan"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Scourway.exe"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
SectionEnd

Section "un.${PRODUCT}" UnSecMain
  SectionIn RO
  UnRegDLL "$INSTDIR\Tollen.ocx"
  Delete "$INSTDIR\Scourway.exe"
  Delete "$INSTDIR\Tollen.ocx"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\NOTICE.txt"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  ; The sample list goes if it is untouched; an edited list stays unless asked for.
  ReadRegStr $2 HKLM "${UNINST_KEY}" "SampleListTime"
  ${If} ${FileExists} "$INSTDIR\KILL.LST"
  ${AndIf} $2 != ""
    GetFileTime "$INSTDIR\KILL.LST" $0 $1
    ${If} "$0 $1" == $2
      Delete "$INSTDIR\KILL.LST"
    ${EndIf}
  ${EndIf}
SectionEnd

Section /o "un.Also remove my pattern list (KILL.LST)" UnSecList
  Delete "$INSTDIR\KILL.LST"
SectionEnd

Section "-un.Finish"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd

; "Uninstall.exe /S /REMOVELIST" removes the pattern list in a silent uninstall too.
Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVELIST" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${UnSecList} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
