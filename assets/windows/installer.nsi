; The Windows installer: Velmora for the current user, without administrator
; rights. It puts the 64-bit program with its wave files in the user's
; programs folder, an entry in the user's Start menu and one in the user's
; list of installed programs, and an uninstaller that takes away every file
; and key it made. /S installs or uninstalls silently. The installer is a
; 64-bit program itself (every Windows 11 is); the 32-bit build ships as a zip.
;
; makensis -DVERSION=1.0.0 -DTOP=/absolute/source -DWIN64=/absolute/build-win64
;          -DOUTFILE=/absolute/dist/velmora-1.0.0-setup.exe assets/windows/installer.nsi

Unicode true
Target amd64-unicode
!include "MUI2.nsh"
!include "${WIN64}/waves.nsh"  ; the cues' waves, written by the build

!define PRODUCT "Velmora"
!define PUBLISHER "Velmora developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}, MIT licence"

!define MUI_ICON "${TOP}/build-win64/src/win32/velmora.ico"
!define MUI_UNICON "${TOP}/build-win64/src/win32/velmora.ico"
!insertmacro MUI_PAGE_LICENSE "${TOP}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Velmora"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${WIN64}/Velmora.exe"
    !insertmacro InstallWaves
    File "${TOP}/assets/windows/README.txt"
    File "${TOP}/LICENSE"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Velmora.exe" "" "$INSTDIR\Velmora.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velmora.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there: a folder the player filled stays.
Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$INSTDIR\Velmora.exe"
    !insertmacro DeleteWaves
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
