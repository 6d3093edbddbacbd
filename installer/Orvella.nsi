; Orvella-Setup.exe (64-bit Windows) and Orvella-Setup-x86.exe (32-bit Windows). Built by makensis
; from the build tree (installer/CMakeLists.txt passes the folders below); it lays out exactly
; what OrvellaRemover.exe and the programs look for: the files of the program folder, the
; settings key's folder values, the uninstall entry that hands over to "Orvella.exe /U", the
; ".skn" file type and the shortcuts.
;
; It installs for the user who runs it, with that user's rights, into a folder of theirs: the
; programs keep the user's wake dates, language file and skins beside themselves, so no other
; account may change that folder, and nothing of it is registered for the machine. A folder
; outside the user's profile is closed to other accounts before the first file goes there.
; An installation over an existing one keeps the user's languages, Orvella.ini and skins.
;
; Defined on the command line:
;   ORVELLA_BIN       the build's bin folder (programs, Language.dll, Skins\, Images\)
;   ORVELLA_LIBRARY   Orvella.dll
;   ORVELLA_ICONS     assets/icons
;   ORVELLA_VERSION   e.g. 1.0
;   ORVELLA_SETUP     the setup file to write
;   ORVELLA_X64       defined for the 64-bit setup of the 64-bit programs

!ifdef ORVELLA_X64
    ; A 64-bit setup: Windows itself refuses it on a 32-bit system.
    Target amd64-unicode
!else
    Unicode true
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
; The same build gives the same setup: no file times stored with the files.
SetDateSave off

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"

Name "Orvella"
OutFile "${ORVELLA_SETUP}"
; The user's own programs folder, as other per-user installations use it.
InstallDir "$LOCALAPPDATA\Programs\Orvella"
BrandingText "Orvella ${ORVELLA_VERSION}"

VIProductVersion "${ORVELLA_VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "Orvella"
VIAddVersionKey /LANG=1033 "FileDescription" "Orvella setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${ORVELLA_VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${ORVELLA_VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "Orvella"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Orvella"

!define MUI_ICON "${ORVELLA_ICONS}/Orvella.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Orvella.exe"

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

!define SETTINGS_KEY "Software\Orvella"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvella"
!define CLASSES_KEY "Software\Classes"
; Windows Explorer reloads its file types on this notice.
!define SHCNE_ASSOCCHANGED 0x08000000

; $0: 1 when the folder $INSTDIR can be written in the system's ANSI code page, which the
; programs use for every path; 0 when one of its characters has no place there (a user name in
; another script, for instance).
Function CheckAnsiFolder
    ; WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, ...) tells whether it had to replace one.
    System::Call 'kernel32::WideCharToMultiByte(i 0, i 0x400, w "$INSTDIR", i -1, p 0, i 0, p 0, *i 0 r1) i .r0'
    ${If} $0 <> 0
    ${AndIf} $1 = 0
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
FunctionEnd

; $1: a folder the programs can use, at the root of the system drive.
Function SuggestAnsiFolder
    StrCpy $1 $WINDIR 2
    StrCpy $1 "$1\Orvella"
FunctionEnd

; $0: 1 when $INSTDIR lies inside the user's profile folder, both taken as Windows resolves them
; ("." and ".." steps, doubled backslashes); letters compare without regard to case.
Function CheckInsideProfile
    System::Call 'kernel32::GetFullPathNameW(w "$INSTDIR", i ${NSIS_MAX_STRLEN}, w .r1, p 0) i .r0'
    ${If} $0 = 0
        StrCpy $1 $INSTDIR
    ${EndIf}
    System::Call 'kernel32::GetFullPathNameW(w "$PROFILE", i ${NSIS_MAX_STRLEN}, w .r2, p 0) i .r0'
    ${If} $0 = 0
        StrCpy $2 $PROFILE
    ${EndIf}
    StrCpy $0 0
    ${If} $2 != ""
        StrLen $3 "$2\"
        StrCpy $4 "$1\" $3
        ${If} $4 == "$2\"
            StrCpy $0 1
        ${EndIf}
    ${EndIf}
FunctionEnd

; $1: the current user's security identifier as text ("S-1-5-21-..."), empty when it cannot be read.
Function CurrentUserSid
    StrCpy $1 ""
    ; TOKEN_QUERY (8) on the process's own token; TokenUser (1) starts with the SID's address.
    System::Call 'advapi32::OpenProcessToken(p -1, i 8, *p .r2) i .r0'
    ${If} $0 = 0
        Return
    ${EndIf}
    System::Call 'advapi32::GetTokenInformation(p r2, i 1, p 0, i 0, *i .r3)'
    System::Alloc $3
    Pop $4
    System::Call 'advapi32::GetTokenInformation(p r2, i 1, p r4, i r3, *i .r3) i .r0'
    System::Call 'kernel32::CloseHandle(p r2)'
    ${If} $0 <> 0
        System::Call '*$4(p .r5)'
        System::Call 'advapi32::ConvertSidToStringSidW(p r5, *p .r6) i .r0'
        ${If} $0 <> 0
            System::Call '*$6(&w256 .r1)'
            System::Call 'kernel32::LocalFree(p r6)'
        ${EndIf}
    ${EndIf}
    System::Free $4
FunctionEnd

; Runs icacls.exe of the system folder (never one beside the setup) on the folder $R1 with the
; arguments $R2. $0: empty when it succeeded, else what it said.
Function RunIcacls
    nsExec::ExecToStack '"$SYSDIR\icacls.exe" "$R1" $R2'
    Pop $0
    Pop $3
    ${If} $0 == "0"
        StrCpy $0 ""
    ${Else}
        StrCpy $0 "icacls $R2: $0 $3"
    ${EndIf}
FunctionEnd

; Closes the folder $R1 to other accounts: this user becomes its owner, and only this user,
; SYSTEM (S-1-5-18) and the administrators (S-1-5-32-544) have rights on it, none inherited
; from the folders above; what is made inside inherits the same. $0: empty when it worked,
; else why not.
Function CloseFolderToOthers
    Call CurrentUserSid
    ${If} $1 == ""
        StrCpy $0 "the account's identifier could not be read"
        Return
    ${EndIf}
    StrCpy $R3 $1
    ; Another owner could give itself any right again.
    StrCpy $R2 "/setowner *$R3"
    Call RunIcacls
    ${If} $0 != ""
        Return
    ${EndIf}
    ; Rights given to others on the folder itself go.
    StrCpy $R2 "/reset"
    Call RunIcacls
    ${If} $0 != ""
        Return
    ${EndIf}
    StrCpy $R2 "/inheritance:r /grant:r *S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F *$R3:(OI)(CI)F"
    Call RunIcacls
FunctionEnd

; Makes $INSTDIR. Outside the user's profile, where a folder inherits rights of other accounts
; (at the root of a drive: "Authenticated Users" may change it), the highest folder the setup
; makes (or $INSTDIR itself, when it exists) is closed to them first, so that everything below
; it inherits only this user's rights. Ends the setup (exit code 3) when that fails.
Function MakeInstallFolder
    Call CheckInsideProfile
    ${If} $0 = 1
        CreateDirectory "$INSTDIR"
        Return
    ${EndIf}
    ; $R1: the highest folder that does not exist yet, or $INSTDIR.
    StrCpy $R1 $INSTDIR
    ${Do}
        ${GetParent} $R1 $R4
        ${If} $R4 == ""
        ${OrIf} ${FileExists} "$R4\*.*"
            ${ExitDo}
        ${EndIf}
        StrCpy $R1 $R4
    ${Loop}
    StrCpy $R5 0
    ${IfNot} ${FileExists} "$R1\*.*"
        StrCpy $R5 1
        CreateDirectory "$R1"
    ${EndIf}
    StrCpy $0 "the folder could not be made"
    ${If} ${FileExists} "$R1\*.*"
        Call CloseFolderToOthers
    ${EndIf}
    ${If} $0 == ""
        CreateDirectory "$INSTDIR"
        Return
    ${EndIf}
    ${If} $R5 = 1
        RMDir "$R1"
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "Orvella was not installed: the folder $R1 could not be closed to the \
other accounts of this computer ($0).$\r$\n$\r$\nOutside your user folder, other accounts could \
otherwise replace the programs that start when you log on. Choose a folder in your user folder, or \
one you may give rights on." /SD IDOK
    SetErrorLevel 3
    Quit
FunctionEnd

Function DirectoryLeave
    Call CheckAnsiFolder
    ${If} $0 = 0
        Call SuggestAnsiFolder
        MessageBox MB_OK|MB_ICONEXCLAMATION \
            "Orvella cannot be installed into$\r$\n$INSTDIR$\r$\nsince Windows cannot hand that path to \
its programs (a character of it has no place in this system's code page).$\r$\n$\r$\n\
Please choose another folder. $1 is suggested."
        ; The page's folder field (control 1019) shows the suggestion.
        FindWindow $2 "#32770" "" $HWNDPARENT
        GetDlgItem $2 $2 1019
        SendMessage $2 ${WM_SETTEXT} 0 "STR:$1"
        Abort
    ${EndIf}
FunctionEnd

Function .onInit
!ifndef ORVELLA_X64
    ; The 32-bit programs run on a 64-bit Windows too, but the 64-bit ones are its own.
    ${If} ${RunningX64}
        MessageBox MB_YESNO|MB_ICONINFORMATION \
            "This setup installs the 32-bit programs of Orvella, made for 32-bit Windows.$\r$\n\
On this 64-bit Windows, Orvella-Setup.exe installs the 64-bit programs.$\r$\n$\r$\n\
Install the 32-bit programs anyway?" /SD IDYES IDYES keep
        Abort
    keep:
    ${EndIf}
!endif
FunctionEnd

Section "Orvella"
    ; A silent setup has no page to choose on: it says why and ends.
    Call CheckAnsiFolder
    ${If} $0 = 0
        Call SuggestAnsiFolder
        MessageBox MB_OK|MB_ICONSTOP "Orvella cannot be installed into $INSTDIR: a character of that \
path has no place in this system's code page. Use another folder, for example $1." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}

    ; The shortcuts go where the uninstaller finds them: the current user's desktop, programs
    ; folder and quick-launch bar, as the user's "Shell Folders" name them.
    SetShellVarContext current

    ; The folder's rights first, then its files.
    Call MakeInstallFolder
    SetOutPath "$INSTDIR"
    File "${ORVELLA_BIN}/Orvella.exe"
    File "${ORVELLA_BIN}/Agent.exe"
    File "${ORVELLA_BIN}/OrvellaRemover.exe"
    File "${ORVELLA_BIN}/Alarm.wav"
    File "${ORVELLA_LIBRARY}"
    File "${ORVELLA_ICONS}/SknIcon.ico"
    ; An update keeps the user's own languages in the language file: the new Orvella.exe brings
    ; its "Deutsch" and "English" up to date and leaves every other section as it is.
    ${If} ${FileExists} "$INSTDIR\Language.dll"
        ClearErrors
        ExecWait '"$INSTDIR\Orvella.exe" /L' $0
        ${If} ${Errors}
        ${OrIf} $0 <> 0
            MessageBox MB_OK|MB_ICONEXCLAMATION "The default languages of $INSTDIR\Language.dll could not \
be brought up to date; the file stays as it was, with your own languages." /SD IDOK
            SetErrorLevel 4
        ${EndIf}
    ${Else}
        File "${ORVELLA_BIN}/Language.dll"
    ${EndIf}
    ; Orvella.ini is Orvella's own and never shipped; skins of the user's have other names than
    ; the default ones, which an update brings anew.
    SetOutPath "$INSTDIR\Skins"
    File "${ORVELLA_BIN}/Skins/*.skn"
    SetOutPath "$INSTDIR\Images"
    File "${ORVELLA_BIN}/Images/*.bmp"
    SetOutPath "$INSTDIR"

    ; The settings the programs and the uninstaller read. An installation over an older one
    ; keeps the user's skin choice.
    WriteRegStr HKCU "${SETTINGS_KEY}" "Programm - Pfad" "$INSTDIR\"
    WriteRegStr HKCU "${SETTINGS_KEY}" "Programm - Schema Pfad" "$INSTDIR\Skins\"
    WriteRegDWORD HKCU "${SETTINGS_KEY}" "Tip" 1
    ReadRegStr $0 HKCU "${SETTINGS_KEY}" "Theme - Pfad"
    ${If} $0 == ""
    ${OrIfNot} ${FileExists} "$0"
        WriteRegStr HKCU "${SETTINGS_KEY}" "Theme - Pfad" "$INSTDIR\Skins\Classic.skn"
    ${EndIf}

    ; The user's entry of "Apps" / "Programs and Features": removal is the main program's "/U",
    ; which starts the uninstaller from a copy outside the program folder.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Orvella"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${ORVELLA_VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Orvella"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Orvella.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR\"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Orvella.exe" /U'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

    ; Skin files open in Orvella, which copies them into the skins folder and shows them: the
    ; user's own file type, which Windows merges into HKEY_CLASSES_ROOT for them.
    WriteRegStr HKCU "${CLASSES_KEY}\.skn" "" "OrvellaSkin"
    WriteRegStr HKCU "${CLASSES_KEY}\OrvellaSkin" "" "Orvella Skin"
    WriteRegStr HKCU "${CLASSES_KEY}\OrvellaSkin\DefaultIcon" "" "$INSTDIR\SknIcon.ico"
    WriteRegStr HKCU "${CLASSES_KEY}\OrvellaSkin\shell\open\command" "" '"$INSTDIR\Orvella.exe" "%1"'
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

    CreateShortCut "$DESKTOP\Orvella.lnk" "$INSTDIR\Orvella.exe"
    CreateDirectory "$SMPROGRAMS\Orvella"
    CreateShortCut "$SMPROGRAMS\Orvella\Orvella.lnk" "$INSTDIR\Orvella.exe"
    CreateShortCut "$SMPROGRAMS\Orvella\Agent.lnk" "$INSTDIR\Agent.exe"
    ; Orvella.dll holds the uninstaller's icon as its third.
    CreateShortCut "$SMPROGRAMS\Orvella\Uninstall Orvella.lnk" "$INSTDIR\Orvella.exe" "/U" \
        "$INSTDIR\Orvella.dll" 2
    ; The quick-launch bar exists up to Windows 7 and where a user made it again.
    ${If} ${FileExists} "$QUICKLAUNCH\*.*"
        CreateShortCut "$QUICKLAUNCH\Orvella.lnk" "$INSTDIR\Orvella.exe"
    ${EndIf}
SectionEnd
