; Velmora 99's setup program, for Windows 95 to 11: installs the program, its companion, help and README
; per machine, Icobank.exe into the system folder Explorer reads, Start Menu shortcuts and an uninstall
; entry; /S installs silently, /D= names the folder. tools/release_setup.py builds it:
;
;   makensis -DVELMORA_VERSION=2.50 -DVELMORA_VERSION_NUMBERS=2.50.0.0 -DVELMORA_FILES=FOLDER
;            -DVELMORA_SETUP=OUTPUT.exe [-DVELMORA_SETUP_AMD64] installer/Velmora.nsi
;
; FOLDER holds Velmora.exe, velmora-cli.exe, Icobank.exe, Velmora.hlp, Velmora.cnt, Velmora.chm and
; README.txt. The shipped setup is the x86 ANSI one: it calls only what Windows 95 and NT 4.0 export.
; VELMORA_SETUP_AMD64 makes a 64-bit Unicode setup of the 64-bit build, for Wine where 32-bit programs
; cannot run; it is not shipped.

!ifndef VELMORA_VERSION | VELMORA_VERSION_NUMBERS | VELMORA_FILES | VELMORA_SETUP
  !error "define VELMORA_VERSION, VELMORA_VERSION_NUMBERS, VELMORA_FILES and VELMORA_SETUP"
!endif

!ifdef VELMORA_SETUP_AMD64
  Target amd64-unicode
!else
  Unicode false
!endif

!include LogicLib.nsh

!define PRODUCT "Velmora 99"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; Where the Desktop page's shortcut arrows name Icobank.exe.
!define SHELL_ICONS_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Icons"
!define SHELL_ICONS_ARROW "29"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define UNINSTALLER "Uninstall.exe"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VELMORA_VERSION} Setup"
UninstallCaption "${PRODUCT} ${VELMORA_VERSION} Uninstall"
OutFile "${VELMORA_SETUP}"
; $PROGRAMFILES is the folder the running Windows names (localised, on another drive, "Program Files
; (x86)" for a 32-bit program on 64-bit Windows).
InstallDir "$PROGRAMFILES\${PRODUCT}"
RequestExecutionLevel admin
ManifestSupportedOS all
XPStyle on
; The default names the makensis version, which is nothing to the user.
BrandingText "${PRODUCT} ${VELMORA_VERSION}"
; One block is the smallest setup; lzma's output depends only on its input.
SetCompressor /SOLID /FINAL lzma
Icon "${__FILEDIR__}\..\res\icons\128_velmora.ico"
UninstallIcon "${__FILEDIR__}\..\res\icons\128_velmora.ico"
ShowInstDetails show
ShowUninstDetails show

; The same keys as the programs' version resource (res/version.rc), which has no copyright line either.
!pragma warning disable 9100
VIProductVersion "${VELMORA_VERSION_NUMBERS}"
VIFileVersion "${VELMORA_VERSION_NUMBERS}"
VIAddVersionKey /LANG=1033 "CompanyName" "Velmora"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VELMORA_VERSION}"
VIAddVersionKey /LANG=1033 "InternalName" "Velmora-${VELMORA_VERSION}-setup.exe"
VIAddVersionKey /LANG=1033 "OriginalFilename" "Velmora-${VELMORA_VERSION}-setup.exe"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VELMORA_VERSION}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; 1 when this 32-bit setup runs on 64-bit Windows (WOW64).
Var Wow64

; On 64-bit Windows the uninstall entry and the shortcut-arrow setting live in the 64-bit view, where the
; system and Velmora read them. WOW64 gives every 32-bit process PROCESSOR_ARCHITEW6432 and no other
; process has it: this asks no function Windows 95 lacks, and loads no plug-in there.
!macro FindSystemView un
  Function ${un}FindSystemView
    StrCpy $Wow64 0
    ReadEnvStr $0 PROCESSOR_ARCHITEW6432
    ${If} $0 != ""
      StrCpy $Wow64 1
      SetRegView 64
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro FindSystemView ""
!insertmacro FindSystemView "un."

; A 32-bit program's System32 is SysWOW64 on 64-bit Windows; the 64-bit Explorer reads the real one, so
; the redirection is off for the one file written or deleted there (for this thread only).
!macro SystemFolderRedirection on
  ${If} $Wow64 == 1
    System::Call "kernel32::Wow64EnableWow64FsRedirection(i ${on})"
  ${EndIf}
!macroend

Function .onInit
  Call FindSystemView
FunctionEnd

Function un.onInit
  Call un.FindSystemView
FunctionEnd

Section "Velmora 99"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  ClearErrors
  File "${VELMORA_FILES}\Velmora.exe"
  File "${VELMORA_FILES}\velmora-cli.exe"
  File "${VELMORA_FILES}\Velmora.hlp"
  File "${VELMORA_FILES}\Velmora.cnt"
  File "${VELMORA_FILES}\Velmora.chm"
  File "${VELMORA_FILES}\README.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ${If} ${Errors}
    MessageBox MB_ICONSTOP "Setup could not write to $INSTDIR. Installing ${PRODUCT} needs an administrator." /SD IDOK
    Abort
  ${EndIf}

  SetOutPath "$SYSDIR"
  !insertmacro SystemFolderRedirection 0
  File "${VELMORA_FILES}\Icobank.exe"
  !insertmacro SystemFolderRedirection 1
  ${If} ${Errors}
    MessageBox MB_ICONSTOP "Setup could not write Icobank.exe to $SYSDIR. Installing ${PRODUCT} needs an administrator." /SD IDOK
    Abort
  ${EndIf}
  SetOutPath "$INSTDIR"

  ; WinHelp up to Windows 2000 and XP (NT 5.x; Windows 95 and 98 have no "Windows NT" key), HTML Help
  ; from Vista (NT 6.0) on, which has no WinHelp: as Velmora's Help button chooses.
  ReadRegStr $0 HKLM "Software\Microsoft\Windows NT\CurrentVersion" "CurrentVersion"
  StrCpy $1 "Velmora.hlp"
  ${If} $0 >= 6
    StrCpy $1 "Velmora.chm"
  ${EndIf}
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\Velmora.exe"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT} Help.lnk" "$INSTDIR\$1"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VELMORA_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Velmora"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velmora.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  ; The README that came with this copy: the program has no web address of its own to name.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "$INSTDIR\README.txt"
  SectionGetSize 0 $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} ${Errors}
    MessageBox MB_ICONSTOP "Setup could not write the uninstall entry. Installing ${PRODUCT} needs an administrator." /SD IDOK
    Abort
  ${EndIf}
SectionEnd

; $R0: 1 when the text in $0 names Icobank.exe (any case), else 0.
Function un.NamesIcobank
  StrCpy $R0 0
  StrLen $R1 "Icobank.exe"
  StrCpy $R2 0
  ${Do}
    StrCpy $R3 $0 $R1 $R2
    ${If} $R3 == ""
      ${Break}
    ${EndIf}
    ${If} $R3 == "Icobank.exe"  ; StrCmp, like ==, ignores case
      StrCpy $R0 1
      ${Break}
    ${EndIf}
    IntOp $R2 $R2 + 1
  ${Loop}
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\Velmora.exe"
  Delete "$INSTDIR\velmora-cli.exe"
  Delete "$INSTDIR\Velmora.hlp"
  Delete "$INSTDIR\Velmora.cnt"
  Delete "$INSTDIR\Velmora.chm"
  Delete "$INSTDIR\README.txt"
  ; WinHelp's own index and full-text files, made beside the help file when it is opened.
  Delete "$INSTDIR\Velmora.gid"
  Delete "$INSTDIR\Velmora.fts"
  Delete "$INSTDIR\Velmora.ftg"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: whatever the user put there stays.
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\${PRODUCT} Help.lnk"
  RMDir "${MENU_FOLDER}"

  ; Small or None shortcut arrows name Icobank.exe: without it every shortcut would lose its arrow's icon.
  ReadRegStr $0 HKLM "${SHELL_ICONS_KEY}" "${SHELL_ICONS_ARROW}"
  Call un.NamesIcobank
  ${If} $R0 == 1
    DetailPrint "Icobank.exe stays in $SYSDIR: the shortcut arrows use it."
    MessageBox MB_ICONINFORMATION "Icobank.exe stays in $SYSDIR, because the shortcut arrows (Velmora's Desktop page) use it. To remove it, set the shortcut arrows to Normal first, then delete it." /SD IDOK
  ${Else}
    !insertmacro SystemFolderRedirection 0
    Delete "$SYSDIR\Icobank.exe"
    !insertmacro SystemFolderRedirection 1
  ${EndIf}

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; This runs from a copy of the uninstaller in the temp folder, so that Uninstall.exe could be deleted;
  ; the copy cannot delete itself.
  DetailPrint "The uninstaller's copy in $TEMP is deleted when Windows restarts."
SectionEnd
