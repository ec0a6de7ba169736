; Scourway installer, in one of two modes:
;   Just for me (the default, no administrator rights): into
;     %LOCALAPPDATA%\Programs\Scourway, with this user's Start-menu entry and
;     uninstall entry (HKCU). The list beside the program is the user's to write.
;     Scourway needs no registration (its manifest finds Tollen.ocx beside it); on
;     request the control is registered for this user's other programs by its own
;     per-user registration (regsvr32 /n /i:user).
;   For all users (administrator): into Program Files, the control registered for
;     every user, the Start-menu entry and uninstall entry for everyone (HKLM), and
;     the installing user, alone, given the right to modify the list.
; On 64-bit Windows: the x64 program and Tollen.ocx, and the x86 Tollen.ocx in its
; x86 subfolder for 32-bit hosts; on 32-bit Windows the x86 files only. The
; installer itself is a 32-bit program, so it runs on both.
; Silent installs: setup.exe /S [/CURRENTUSER | /ALLUSERS] [/REGISTER] [/D=folder]
; (/REGISTER: the per-user registration of the control). Silent uninstall:
; Uninstall.exe /S [/REMOVELIST]; the uninstaller finds its mode from its entry.
; Built by dist/CMakeLists.txt:
;   makensis -DSTAGE=<folder with x86\ and x64\> -DOUTFILE=<setup.exe> -DVERSION=<x.y.z>
Unicode true
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "nsDialogs.nsh"
!include "x64.nsh"

!define PRODUCT "Scourway"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Scourway"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; No InstallDir: an empty $INSTDIR in .onInit means no /D= was given, and the mode
; picks the folder.
RequestExecutionLevel user
SetCompressor /SOLID lzma
ShowInstDetails show

Var Mode           ; "user" or "all"
Var ModeGiven      ; 1 when a switch chose the mode: no mode page then
Var DirGiven       ; the folder /D= named, or empty
Var RegisterForUser ; 1: register the control for this user's programs
Var ModeUserButton
Var ModeAllButton
Var RegisterBox

Page custom ModePage ModePageLeave
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage components
UninstPage instfiles

; $SYSDIR's regsvr32 on one Tollen.ocx, its exit code in $0. A 32-bit installer
; reaches the 32-bit regsvr32 there, or the 64-bit one with redirection off; each
; writes through its own registry view.
!macro Regsvr ARGS OCX
  ExecWait '"$SYSDIR\regsvr32.exe" /s ${ARGS} "${OCX}"' $0
!macroend

; The 64-bit regsvr32 on the x64 Tollen.ocx: a 32-bit installer cannot load it.
!macro Regsvr64 ARGS
  ${DisableX64FSRedirection}
  !insertmacro Regsvr "${ARGS}" "$INSTDIR\Tollen.ocx"
  ${EnableX64FSRedirection}
!macroend

; The x86 Tollen.ocx: in its subfolder on 64-bit Windows, else beside the program.
!macro X86Ocx VAR
  StrCpy ${VAR} "$INSTDIR\Tollen.ocx"
  ${If} ${RunningX64}
    StrCpy ${VAR} "$INSTDIR\x86\Tollen.ocx"
  ${EndIf}
!macroend

; An all-users install or uninstall needs an administrator. Without one, this
; program runs again elevated with the same switches plus EXTRA, and ends with its
; exit code.
!macro RequireAdmin UN
Function ${UN}RequireAdmin
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    Return
  ${EndIf}
  ${GetParameters} $1
  StrCpy $1 "/ALLUSERS $1"
  ; SHELLEXECUTEINFOW with SEE_MASK_NOCLOSEPROCESS, for the process handle.
  System::Call '*(i 60, i 0x40, p $HWNDPARENT, w "runas", w "$EXEPATH", w r1, p 0, i 1, p, p, p, p, i, p, p) p .r2'
  System::Call 'shell32::ShellExecuteExW(p r2) i .r0'
  System::Call '*$2(i, i, p, p, p, p, p, i, p, p, p, p, i, p, p .r3)'
  System::Free $2
  StrCpy $4 1223 ; ERROR_CANCELLED: elevation refused
  ${If} $0 != 0
    System::Call 'kernel32::WaitForSingleObject(p r3, i -1)'
    System::Call 'kernel32::GetExitCodeProcess(p r3, *i .r4)'
    System::Call 'kernel32::CloseHandle(p r3)'
  ${EndIf}
  SetErrorLevel $4
  Quit
FunctionEnd
!macroend
!insertmacro RequireAdmin ""
!insertmacro RequireAdmin "un."

; The mode's shell folders, registry root and, unless /D= chose one, folder: the
; folder of an earlier install of that mode, else the mode's default.
Function ApplyMode
  ${If} $Mode == "all"
    Call RequireAdmin
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
  ${If} $DirGiven != ""
    Return
  ${EndIf}
  ReadRegStr $INSTDIR SHCTX "${UNINST_KEY}" "InstallLocation"
  ${If} $INSTDIR != ""
    Return
  ${EndIf}
  ${If} $Mode == "user"
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${ElseIf} ${RunningX64}
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${Else}
    StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
  ${EndIf}
FunctionEnd

Function .onInit
  ; 64-bit Windows: the registry's 64-bit view, where a 64-bit program's entries belong.
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  StrCpy $DirGiven $INSTDIR
  StrCpy $Mode "user"
  StrCpy $ModeGiven 0
  StrCpy $RegisterForUser 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/ALLUSERS" $1
  ${IfNot} ${Errors}
    StrCpy $Mode "all"
    StrCpy $ModeGiven 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/CURRENTUSER" $1
  ${IfNot} ${Errors}
    ${If} $ModeGiven == 1
      MessageBox MB_ICONSTOP "/ALLUSERS and /CURRENTUSER cannot both be given." /SD IDOK
      SetErrorLevel 87 ; ERROR_INVALID_PARAMETER
      Quit
    ${EndIf}
    StrCpy $ModeGiven 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/REGISTER" $1
  ${IfNot} ${Errors}
    StrCpy $RegisterForUser 1
  ${EndIf}
  Call ApplyMode
FunctionEnd

Function ModePage
  ${If} $ModeGiven == 1
    Abort
  ${EndIf}
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 20u "Who is ${PRODUCT} for? Its pattern list, KILL.LST, lives beside the program."
  Pop $0
  ${NSD_CreateRadioButton} 10u 24u 95% 12u "&Just for me (no administrator rights needed)"
  Pop $ModeUserButton
  ${NSD_CreateCheckBox} 24u 38u 85% 12u "Also &register the folder picker control for my other programs"
  Pop $RegisterBox
  ${NSD_CreateRadioButton} 10u 56u 95% 12u "For &all users (needs administrator rights; the list stays editable by me)"
  Pop $ModeAllButton
  ${NSD_OnClick} $ModeUserButton ModeChanged
  ${NSD_OnClick} $ModeAllButton ModeChanged
  ${If} $Mode == "all"
    ${NSD_Check} $ModeAllButton
  ${Else}
    ${NSD_Check} $ModeUserButton
  ${EndIf}
  ${If} $RegisterForUser == 1
    ${NSD_Check} $RegisterBox
  ${EndIf}
  Call ModeChanged
  nsDialogs::Show
FunctionEnd

; The registration choice belongs to the per-user mode: all users get it anyway.
Function ModeChanged
  ${NSD_GetState} $ModeUserButton $0
  ${If} $0 == ${BST_CHECKED}
    EnableWindow $RegisterBox 1
  ${Else}
    EnableWindow $RegisterBox 0
  ${EndIf}
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $ModeAllButton $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Mode "all"
  ${Else}
    StrCpy $Mode "user"
  ${EndIf}
  ${NSD_GetState} $RegisterBox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $RegisterForUser 1
  ${Else}
    StrCpy $RegisterForUser 0
  ${EndIf}
  Call ApplyMode
FunctionEnd

; The machine-wide registration, for every kind of host the machine has.
Function RegisterForEveryone
  ${If} ${RunningX64}
    !insertmacro Regsvr64 ""
    ${If} $0 != 0
      Abort "Tollen.ocx could not be registered for 64-bit programs (regsvr32 exit code $0)."
    ${EndIf}
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
FunctionEnd

; The control's own per-user registration, for every kind of host.
Function RegisterForThisUser
  ${If} ${RunningX64}
    !insertmacro Regsvr64 "/n /i:user"
    ${If} $0 != 0
      Abort "Tollen.ocx could not be registered for your 64-bit programs (regsvr32 exit code $0)."
    ${EndIf}
  ${EndIf}
  !insertmacro X86Ocx $1
  !insertmacro Regsvr "/n /i:user" "$1"
  ${If} $0 != 0
    Abort "Tollen.ocx could not be registered for your 32-bit programs (regsvr32 exit code $0)."
  ${EndIf}
  WriteRegDWORD SHCTX "${UNINST_KEY}" "RegisteredForUser" 1
FunctionEnd

; The installing user may modify the list, and no one else who is not an
; administrator: a list any user could change would steer what an administrator's
; scheduled run deletes. The user is the installer's token user (an elevated
; install runs as the same person).
Function GrantListToInstallingUser
  System::Call 'kernel32::GetCurrentProcess() p .r0'
  System::Call 'advapi32::OpenProcessToken(p r0, i 8, *p .r1) i .r0' ; TOKEN_QUERY
  ${If} $0 == 0
    Abort "The installing user could not be found (OpenProcessToken failed)."
  ${EndIf}
  System::Alloc 256
  Pop $2
  System::Call 'advapi32::GetTokenInformation(p r1, i 1, p r2, i 256, *i .r3) i .r0' ; TokenUser
  System::Call 'kernel32::CloseHandle(p r1)'
  StrCpy $5 ""
  ${If} $0 != 0
    System::Call '*$2(p .r3)'
    System::Call 'advapi32::ConvertSidToStringSidW(p r3, *p .r4) i .r0'
    ${If} $0 != 0
      System::Call 'kernel32::lstrcpyW(w .r5, p r4)'
      System::Call 'kernel32::LocalFree(p r4)'
    ${EndIf}
  ${EndIf}
  System::Free $2
  ${If} $5 == ""
    Abort "The installing user could not be found (no user SID in the process token)."
  ${EndIf}
  ExecWait '"$SYSDIR\icacls.exe" "$INSTDIR\KILL.LST" /grant *$5:(M)' $0
  ${If} $0 != 0
    Abort "KILL.LST could not be made editable for you (icacls exit code $0)."
  ${EndIf}
FunctionEnd

Section "${PRODUCT}" SecMain
  SectionIn RO
  ${If} $Mode == "user"
  ${AndIfNot} ${FileExists} "$LOCALAPPDATA\Programs\*.*"
    WriteRegDWORD SHCTX "${UNINST_KEY}" "CreatedProgramsFolder" 1
  ${EndIf}
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
    WriteRegStr SHCTX "${UNINST_KEY}" "SampleListTime" "$0 $1"
  ${EndIf}
  ${If} ${RunningX64}
    SetOutPath "$INSTDIR\x86"
    File "${STAGE}/x86/Tollen.ocx"
    SetOutPath "$INSTDIR"
  ${EndIf}

  ${If} $Mode == "all"
    Call RegisterForEveryone
    Call GrantListToInstallingUser
  ${ElseIf} $RegisterForUser == 1
    Call RegisterForThisUser
  ${EndIf}

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Scourway.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINST_KEY}" "Publisher" "Ansel Corrigan"
  WriteRegStr SHCTX "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Scourway.exe"
  WriteRegStr SHCTX "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoRepair" 1
SectionEnd

Section "un.${PRODUCT}" UnSecMain
  SectionIn RO
  ${If} $Mode == "all"
    ${If} ${RunningX64}
      !insertmacro Regsvr64 "/u"
      UnRegDLL "$INSTDIR\x86\Tollen.ocx"
    ${Else}
      UnRegDLL "$INSTDIR\Tollen.ocx"
    ${EndIf}
  ${Else}
    ReadRegDWORD $0 SHCTX "${UNINST_KEY}" "RegisteredForUser"
    ${If} $0 == 1
      ${If} ${RunningX64}
        !insertmacro Regsvr64 "/u /n /i:user"
      ${EndIf}
      !insertmacro X86Ocx $1
      !insertmacro Regsvr "/u /n /i:user" "$1"
    ${EndIf}
  ${EndIf}
  ${If} ${RunningX64}
    Delete "$INSTDIR\x86\Tollen.ocx"
    RMDir "$INSTDIR\x86"
  ${EndIf}
  Delete "$INSTDIR\Scourway.exe"
  Delete "$INSTDIR\Tollen.ocx"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\NOTICE.txt"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  ; The sample list goes if it is untouched; an edited list stays unless asked for.
  ReadRegStr $2 SHCTX "${UNINST_KEY}" "SampleListTime"
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
  ReadRegDWORD $0 SHCTX "${UNINST_KEY}" "CreatedProgramsFolder"
  ${If} $0 == 1
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
  DeleteRegKey SHCTX "${UNINST_KEY}"
SectionEnd

; "Uninstall.exe /S /REMOVELIST" removes the pattern list in a silent uninstall too.
; The mode is the install's: this user's entry naming this folder means a per-user one.
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
  ReadRegStr $1 HKCU "${UNINST_KEY}" "InstallLocation"
  ${If} $1 == $INSTDIR
    StrCpy $Mode "user"
    SetShellVarContext current
  ${Else}
    StrCpy $Mode "all"
    Call un.RequireAdmin
    SetShellVarContext all
  ${EndIf}
FunctionEnd
