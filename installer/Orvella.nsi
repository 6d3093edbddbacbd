; Orvella-Setup.exe. Built by makensis from the build tree (installer/CMakeLists.txt passes
; the folders below); it lays out exactly what OrvellaRemover.exe and the programs look for:
; the files of the program folder, the settings key's folder values, the uninstall entry that
; hands over to "Orvella.exe /U", the ".skn" file type and the shortcuts.
;
; Defined on the command line:
;   ORVELLA_BIN       the build's bin folder (programs, Language.dll, Skins\, Images\)
;   ORVELLA_LIBRARY   Orvella.dll
;   ORVELLA_ICONS     assets/icons
;   ORVELLA_VERSION   e.g. 1.0
;   ORVELLA_SETUP     the setup file to write

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"

Name "Orvella"
OutFile "${ORVELLA_SETUP}"
InstallDir "$PROGRAMFILES\Orvella"
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

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

!define SETTINGS_KEY "Software\Orvella"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvella"
; Windows Explorer reloads its file types on this notice.
!define SHCNE_ASSOCCHANGED 0x08000000

Section "Orvella"
    ; The shortcuts go where the uninstaller finds them: the current user's desktop, programs
    ; folder and quick-launch bar, as the user's "Shell Folders" name them.
    SetShellVarContext current

    SetOutPath "$INSTDIR"
    File "${ORVELLA_BIN}/Orvella.exe"
    File "${ORVELLA_BIN}/Agent.exe"
    File "${ORVELLA_BIN}/OrvellaRemover.exe"
    File "${ORVELLA_BIN}/Language.dll"
    File "${ORVELLA_BIN}/Alarm.wav"
    File "${ORVELLA_LIBRARY}"
    File "${ORVELLA_ICONS}/SknIcon.ico"
    SetOutPath "$INSTDIR\Skins"
    File "${ORVELLA_BIN}/Skins/*.skn"
    SetOutPath "$INSTDIR\Images"
    File "${ORVELLA_BIN}/Images/*.bmp"
    SetOutPath "$INSTDIR"
    ; Orvella keeps its wake dates, window position, language file and the skins it is given
    ; beside the program, for everyone who uses it: the Users group may change that folder.
    nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$INSTDIR" /grant *S-1-5-32-545:(OI)(CI)M /T /Q'
    Pop $0

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

    ; The entry of "Programs and Features": removal is the main program's "/U", which starts
    ; the uninstaller from a copy outside the program folder.
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Orvella"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${ORVELLA_VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Orvella"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Orvella.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR\"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Orvella.exe" /U'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

    ; Skin files open in Orvella, which copies them into the skins folder and shows them.
    WriteRegStr HKCR ".skn" "" "OrvellaSkin"
    WriteRegStr HKCR "OrvellaSkin" "" "Orvella Skin"
    WriteRegStr HKCR "OrvellaSkin\DefaultIcon" "" "$INSTDIR\SknIcon.ico"
    WriteRegStr HKCR "OrvellaSkin\shell\open\command" "" '"$INSTDIR\Orvella.exe" "%1"'
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
