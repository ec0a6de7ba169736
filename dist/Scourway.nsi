; Scourway installer: the program of the machine's architecture into Program Files,
; the control registered for every kind of host the machine has, a Start-menu
; shortcut and an uninstaller that takes back everything it added.
; On 64-bit Windows: the x64 program and Tollen.ocx into the 64-bit Program Files,
; registered for 64-bit hosts, and the x86 Tollen.ocx in its x86 subfolder,
; registered for 32-bit hosts. On 32-bit Windows: the x86 files only.
; The installer itself is a 32-bit program, so it runs on both.
; Built by dist/CMakeLists.txt:
;   makensis -DSTAGE=<folder with x86\ and x64\> -DOUTFILE=<setup.exe> -DVERSION=<x.y.z>
Unicode true
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define PRODUCT "Scourway"
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

; The 64-bit regsvr32 (System32 as a 64-bit program sees it) registers or
; unregisters the x64 Tollen.ocx: a 32-bit installer cannot load a 64-bit library.
!macro Regsvr64 ARGS
  ${DisableX64FSRedirection}
  ExecWait '"$SYSDIR\regsvr32.exe" /s ${ARGS} "$INSTDIR\Tollen.ocx"' $0
  ${EnableX64FSRedirection}
!macroend

; 64-bit Windows: 64-bit Program Files and the registry's 64-bit view, where a
; 64-bit program's uninstall entry belongs. A folder chosen with /D= is kept.
!macro UseMachineView
  ${If} ${RunningX64}
    SetRegView 64
    ${If} $INSTDIR == "$PROGRAMFILES\${PRODUCT}"
      ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
      ${If} $0 == ""
        StrCpy $0 "$PROGRAMFILES64\${PRODUCT}"
      ${EndIf}
      StrCpy $INSTDIR $0
    ${EndIf}
  ${EndIf}
!macroend

Function .onInit
  !insertmacro UseMachineView
FunctionEnd

Section "${PRODUCT}" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "${STAGE}/x64/Scourway.exe"
    File "${STAGE}/x64/Tollen.ocx"
  ${Else}
    File "${STAGE}/x86/Scourway.exe"
    File "${STAGE}/x86/Tollen.ocx"
  ${EndIf}
  File "${STAGE}/README.txt"
  File "${STAGE}/NOTICE.txt"
  ; A list the user already has is theirs: never overwrite it.
  ${IfNot} ${FileExists} "$INSTDIR\KILL.LST"
    File "${STAGE}/x86/KILL.LST"
    ; Remember the sample's time stamp: the uninstaller removes an untouched sample.
    GetFileTime "$INSTDIR\KILL.LST" $0 $1
    WriteRegStr HKLM "${UNINST_KEY}" "SampleListTime" "$0 $1"
  ${EndIf}

  ${If} ${RunningX64}
    !insertmacro Regsvr64 ""
    ${If} $0 != 0
      Abort "Tollen.ocx could not be registered for 64-bit programs (regsvr32 exit code $0)."
    ${EndIf}
    SetOutPath "$INSTDIR\x86"
    File "${STAGE}/x86/Tollen.ocx"
    SetOutPath "$INSTDIR"
    ClearErrors
    RegDLL "$INSTDIR\x86\Tollen.ocx"
    ${If} ${Errors}
      Abort "Tollen.ocx could not be registered for 32-bit programs."
    ${EndIf}
  ${Else}
    ClearErrors
    RegDLL "$INSTDIR\Tollen.ocx"
    ${If} ${Errors}
      Abort "Tollen.ocx could not be registered."
    ${EndIf}
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
  ${If} ${RunningX64}
    !insertmacro Regsvr64 "/u"
    UnRegDLL "$INSTDIR\x86\Tollen.ocx"
    Delete "$INSTDIR\x86\Tollen.ocx"
    RMDir "$INSTDIR\x86"
  ${Else}
    UnRegDLL "$INSTDIR\Tollen.ocx"
  ${EndIf}
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
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVELIST" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${UnSecList} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
