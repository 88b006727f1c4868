; The Windows installer: the editor, lumeroll-cli, the runtime script, help,
; samples and templates under Program Files, a Start menu entry, the .jslr
; association and an uninstaller. Built by makensis (Debian's nsis package)
; from a `cmake --install` of the Windows build:
;
;   makensis -DVERSION=1.0.0 -DSTAGE=<install folder> -DOUTFILE=<setup.exe> lumeroll.nsi
;
; The installed layout is the one `cmake --install` gives (bin\ beside
; share\javascript-lumeroll\), which the editor recognises as installed: it
; writes to the user's own data folder, never to Program Files.

Unicode true
; A 64-bit installer: Wine as Debian ships it (wine64) runs no 32-bit programs.
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION
  !error "VERSION not given"
!endif
!ifndef STAGE
  !error "STAGE not given"
!endif
!ifndef OUTFILE
  !define OUTFILE "lumeroll-setup-${VERSION}.exe"
!endif

; A build without Qt for Windows has no editor: the installer then carries
; lumeroll-cli and the resource folder only, with no menu entry or association.
!if /FileExists "${STAGE}\bin\lumeroll.exe"
  !define EDITOR
!endif

!define PRODUCT "JavaScript Lumeroll"
!define DOCUMENT "JavaScript Lumeroll.Document"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
ShowInstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Install"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

!ifdef EDITOR
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\bin\lumeroll.exe"

  ; The association under the classes root, the values the editor itself
  ; writes for the current user at every start.
  WriteRegStr HKCR ".jslr" "" "${DOCUMENT}"
  WriteRegStr HKCR "${DOCUMENT}" "" "${DOCUMENT}"
  WriteRegStr HKCR "${DOCUMENT}\DefaultIcon" "" "$INSTDIR\bin\lumeroll.exe,0"
  WriteRegStr HKCR "${DOCUMENT}\shell\open\command" "" '"$INSTDIR\bin\lumeroll.exe" "%1"'
!endif

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "KVD"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes the association of one root when it still names this program.
!macro RemoveAssociation ROOT PREFIX
  DeleteRegKey ${ROOT} "${PREFIX}${DOCUMENT}"
  ReadRegStr $0 ${ROOT} "${PREFIX}.jslr" ""
  StrCmp $0 "${DOCUMENT}" 0 +2
    DeleteRegKey ${ROOT} "${PREFIX}.jslr"
!macroend

Section "Uninstall"
  SetShellVarContext all
  RMDir /r "$INSTDIR\bin"
  RMDir /r "$INSTDIR\share"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir /r "$SMPROGRAMS\${PRODUCT}"

  !insertmacro RemoveAssociation HKCR ""
  ; The copy the editor keeps for the user who uninstalls.
  !insertmacro RemoveAssociation HKCU "Software\Classes\"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
