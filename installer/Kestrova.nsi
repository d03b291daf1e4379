; The Kestrova installer. scripts/release builds it with makensis and these defines:
;   VERSION    the program's version (four numbers), the same that its version resource holds
;   ARCH       x86 (the published installer) or amd64 (a test installer of the 64-bit build)
;   PAYLOAD    the folder holding Kestrova.exe, Kestrova.com and Language\
;   OUTFILE    where the installer is written
;   ICON       the program's icon
;   LANGUAGES  an include that defines the macros InstallLanguageFiles and
;              RemoveLanguageFiles over the shipped language files
;   CODESIGN   (optional) a command that Authenticode-signs the file it is given in
;              place: the uninstaller before it is packed, and the installer once written
;
; Besides NSIS's own /S and /D= it takes the switches the program's updater passes:
;   /SILENT, /VERYSILENT      no questions, no wizard
;   /SUPPRESSMSGBOXES         every message box takes its default answer
;   /LANG=<name>              English or Russian (any case); otherwise the system's language
;   /CLOSEAPPLICATIONS        a running Kestrova is asked to close and is waited for
;   /MERGETASKS="runcmd1"     start the installed program when the install is done;
;                             "addtopath" adds the install folder to the system PATH, so
;                             that "kestrova" in cmd or PowerShell runs Kestrova.com
;   /DIR=<folder>             the install folder

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!if ${ARCH} == amd64
  Target amd64-unicode
  InstallDir "$PROGRAMFILES64\Kestrova"
!else
  Target x86-unicode
  InstallDir "$PROGRAMFILES\Kestrova"
!endif

!define PRODUCT "Kestrova"
!define PUBLISHER "Kestrova"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrova"
; An update lands where the program is installed, not in a second copy: the folder recorded
; by the last install (in HKLM, which only administrators write) wins over InstallDir; /D=
; and /DIR= still choose the folder of a first install. The installer of either
; architecture reads the registry view it wrote.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; The program's single-instance mutex and its windows' class.
!define INSTANCE_MUTEX "Kestrova"
!define WINDOW_CLASS "KestrovaForm"
!define SYNCHRONIZE 0x00100000
; Where the system PATH lives.
!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
!ifdef CODESIGN
  !uninstfinalize '"${CODESIGN}" "%1"' = 0
  !finalize '"${CODESIGN}" "%1"' = 0
!endif
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "© 2026 ${PUBLISHER}"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"
!include "Sections.nsh"
!include "${LANGUAGES}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kestrova.exe"
!define MUI_FINISHPAGE_RUN_FUNCTION RunProgram

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"

LangString RunningMessage ${LANG_ENGLISH} "Kestrova is still running and did not close. Close it and run the installer again."
LangString RunningMessage ${LANG_RUSSIAN} "Kestrova всё ещё работает и не закрылась. Закройте её и запустите установку снова."
LangString AskCloseMessage ${LANG_ENGLISH} "Kestrova is running. Close it and go on with the installation?"
LangString AskCloseMessage ${LANG_RUSSIAN} "Kestrova запущена. Закрыть её и продолжить установку?"
LangString ShortcutDescription ${LANG_ENGLISH} "Context menu, New and Send to menu editor"
LangString PathSectionName ${LANG_ENGLISH} "Command line on the PATH"
LangString PathSectionName ${LANG_RUSSIAN} "Командная строка в PATH"
LangString PathTooLong ${LANG_ENGLISH} "The system PATH is too long to be changed safely; the install folder was not added to it."
LangString PathTooLong ${LANG_RUSSIAN} "Системный PATH слишком длинный для безопасного изменения; папка программы в него не добавлена."
LangString ShortcutDescription ${LANG_RUSSIAN} "Редактор контекстного меню, меню «Создать» и «Отправить»"

Var SuppressMessageBoxes
Var CloseApplications
Var RunAfterInstall

; The updater passes the language file's name: English or Russian, in any case.
Function SelectLanguage
  ${GetOptions} $R0 "/LANG=" $R1
  ${IfNot} ${Errors}
    ${If} $R1 == "English"
      StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${ElseIf} $R1 == "Russian"
      StrCpy $LANGUAGE ${LANG_RUSSIAN}
    ${EndIf}
  ${EndIf}
FunctionEnd

; Sets $R2 to 1 when the comma-separated task list $R1 names the task $R8 (given as
; ",name,"). Quotes, and the backslashes that escape them on a command line built from an
; argument vector, are not part of a name.
Function HasTask
  StrCpy $R2 0
  StrCpy $R3 ","
  StrCpy $R4 0
  ${Do}
    StrCpy $R5 $R1 1 $R4
    ${If} $R5 == ""
      ${Break}
    ${EndIf}
    ${If} $R5 != '"'
    ${AndIf} $R5 != "\"
      StrCpy $R3 "$R3$R5"
    ${EndIf}
    IntOp $R4 $R4 + 1
  ${Loop}
  StrCpy $R3 "$R3,"
  StrLen $R6 $R3
  StrLen $R9 $R8
  StrCpy $R4 0
  ${DoWhile} $R4 < $R6
    StrCpy $R5 $R3 $R9 $R4
    ${If} $R5 == $R8
      StrCpy $R2 1
      ${Break}
    ${EndIf}
    IntOp $R4 $R4 + 1
  ${Loop}
FunctionEnd

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/SILENT" $R1
  ${IfNot} ${Errors}
    SetSilent silent
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/VERYSILENT" $R1
  ${IfNot} ${Errors}
    SetSilent silent
  ${EndIf}
  ClearErrors
  StrCpy $SuppressMessageBoxes 0
  ${GetOptions} $R0 "/SUPPRESSMSGBOXES" $R1
  ${IfNot} ${Errors}
    StrCpy $SuppressMessageBoxes 1
  ${EndIf}
  ClearErrors
  StrCpy $CloseApplications 0
  ${GetOptions} $R0 "/CLOSEAPPLICATIONS" $R1
  ${IfNot} ${Errors}
    StrCpy $CloseApplications 1
  ${EndIf}
  ClearErrors
  StrCpy $RunAfterInstall 0
  ${GetOptions} $R0 "/MERGETASKS=" $R1
  ${IfNot} ${Errors}
    StrCpy $R8 ",runcmd1,"
    Call HasTask
    StrCpy $RunAfterInstall $R2
    StrCpy $R8 ",addtopath,"
    Call HasTask
    ${If} $R2 == 1
      Call SelectPathSection
    ${EndIf}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/DIR=" $R1
  ${IfNot} ${Errors}
  ${AndIf} $R1 != ""
    StrCpy $INSTDIR $R1
  ${EndIf}
  ClearErrors
  Call SelectLanguage
FunctionEnd

;   PATH entries: $R0 holds a PATH value; it is left without the entries that name the
; install folder (with or without a trailing backslash, in any letter case), every other
; entry, empty ones included, kept in its order.
!macro PathWithoutInstallFolder un
Function ${un}PathWithoutInstallFolder
  StrCpy $R1 ""
  StrCpy $R2 ""
  StrCpy $R3 0
  StrLen $R4 $R0
  StrCpy $R6 0
  ${Do}
    StrCpy $R5 $R0 1 $R3
    ${If} $R5 == ";"
    ${OrIf} $R3 >= $R4
      ${If} $R2 != $INSTDIR
      ${AndIf} $R2 != "$INSTDIR\"
        ${If} $R6 == 0
          StrCpy $R1 $R2
        ${Else}
          StrCpy $R1 "$R1;$R2"
        ${EndIf}
        StrCpy $R6 1
      ${EndIf}
      StrCpy $R2 ""
      ${If} $R3 >= $R4
        ${Break}
      ${EndIf}
    ${Else}
      StrCpy $R2 "$R2$R5"
    ${EndIf}
    IntOp $R3 $R3 + 1
  ${Loop}
  StrCpy $R0 $R1
FunctionEnd
!macroend
!insertmacro PathWithoutInstallFolder ""
!insertmacro PathWithoutInstallFolder "un."

; Sets $R6 to 1 while a Kestrova process holds its single-instance mutex.
Function IsProgramRunning
  System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${INSTANCE_MUTEX}") p .R7'
  ${If} $R7 P<> 0
    System::Call 'kernel32::CloseHandle(p R7)'
    StrCpy $R6 1
  ${Else}
    StrCpy $R6 0
  ${EndIf}
FunctionEnd

; Asks every visible Kestrova window to close, as the close box would, so that the
; program saves its options, then waits up to 10 s for the process to end.
Function CloseProgram
  StrCpy $R8 0
  ${Do}
    FindWindow $R8 "${WINDOW_CLASS}" "" 0 $R8
    ${If} $R8 == 0
      ${Break}
    ${EndIf}
    System::Call 'user32::IsWindowVisible(p R8) i .R9'
    ${If} $R9 <> 0
      SendMessage $R8 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${EndIf}
  ${Loop}
  StrCpy $R5 0
  ${Do}
    Call IsProgramRunning
    ${If} $R6 == 0
    ${OrIf} $R5 >= 40
      ${Break}
    ${EndIf}
    Sleep 250
    IntOp $R5 $R5 + 1
  ${Loop}
FunctionEnd

; Stops the install, changing nothing, while Kestrova runs and may not be closed.
Function EnsureProgramClosed
  Call IsProgramRunning
  ${If} $R6 == 0
    Return
  ${EndIf}
  StrCpy $R4 $CloseApplications
  ${If} $R4 == 0
    ${If} $SuppressMessageBoxes == 1
      StrCpy $R4 1  ; the question's default answer, Yes
    ${ElseIfNot} ${Silent}
      MessageBox MB_YESNO|MB_ICONQUESTION "$(AskCloseMessage)" IDNO +2
      StrCpy $R4 1
    ${EndIf}
  ${EndIf}
  ${If} $R4 == 1
    Call CloseProgram
    ${If} $R6 == 0
      Return
    ${EndIf}
  ${EndIf}
  ${If} $SuppressMessageBoxes == 0
    MessageBox MB_OK|MB_ICONSTOP "$(RunningMessage)" /SD IDOK
  ${EndIf}
  SetErrorLevel 3
  Quit
FunctionEnd

Section "Kestrova" SectionMain
  SectionIn RO
  Call EnsureProgramClosed
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${PAYLOAD}\Kestrova.exe"
  File "${PAYLOAD}\Kestrova.com"
  SetOutPath "$INSTDIR\Language"
  !insertmacro InstallLanguageFiles
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Kestrova.lnk" "$INSTDIR\Kestrova.exe" "" "$INSTDIR\Kestrova.exe" 0 \
    SW_SHOWNORMAL "" "$(ShortcutDescription)"

  !if ${ARCH} == amd64
    SetRegView 64
  !endif
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kestrova.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  ${If} ${Silent}
  ${AndIf} $RunAfterInstall == 1
    Call RunProgram
  ${EndIf}
SectionEnd

; Off unless chosen on the components page or by /MERGETASKS="addtopath".
Section /o "$(PathSectionName)" SectionPath
  ClearErrors
  ReadRegStr $R0 HKLM "${ENVIRONMENT_KEY}" "Path"
  ${If} ${Errors}
    StrCpy $R0 ""
  ${EndIf}
  StrLen $R1 $R0
  StrLen $R2 $INSTDIR
  IntOp $R1 $R1 + $R2
  IntOp $R1 $R1 + 2
  ; A value near the string limit may have been cut when read: writing it back would lose
  ; the rest of the PATH.
  ${If} $R1 >= ${NSIS_MAX_STRLEN}
    DetailPrint "$(PathTooLong)"
    Return
  ${EndIf}
  Call PathWithoutInstallFolder
  ${If} $R0 == ""
    StrCpy $R0 "$INSTDIR"
  ${Else}
    StrCpy $R0 "$R0;$INSTDIR"
  ${EndIf}
  WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" $R0
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
SectionEnd

Function SelectPathSection
  !insertmacro SelectSection ${SectionPath}
FunctionEnd

Function RunProgram
  Exec '"$INSTDIR\Kestrova.exe"'
FunctionEnd

Function un.onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/SILENT" $R1
  ${IfNot} ${Errors}
    SetSilent silent
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/VERYSILENT" $R1
  ${IfNot} ${Errors}
    SetSilent silent
  ${EndIf}
FunctionEnd

; Removes what the installer put there; the user's options live elsewhere and stay.
Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\Kestrova.exe"
  Delete "$INSTDIR\Kestrova.com"
  ; The PATH entry, when the install added one; every other entry stays as it was.
  ClearErrors
  ReadRegStr $R0 HKLM "${ENVIRONMENT_KEY}" "Path"
  ${IfNot} ${Errors}
    StrLen $R1 $R0
    IntOp $R1 $R1 + 1
    ${If} $R1 < ${NSIS_MAX_STRLEN}
      StrCpy $R7 $R0
      Call un.PathWithoutInstallFolder
      ${If} $R0 != $R7
        WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" $R0
        SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ; Only the shipped files: a language file the user added stays.
  !insertmacro RemoveLanguageFiles
  RMDir "$INSTDIR\Language"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Kestrova.lnk"
  !if ${ARCH} == amd64
    SetRegView 64
  !endif
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
