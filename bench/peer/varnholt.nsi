; The peer uninstaller for the same job, built at bench time. Its installer does nothing but
; write the uninstaller next to itself; the uninstall section removes what this project's
; uninstaller removes, in the same order.
;   makensis -DOUTFILE=<setup.exe> [-DAMD64] varnholt.nsi
Unicode true
!ifdef AMD64
Target amd64-unicode
!endif

!define GUID "{5b1e07c4-93a2-4d6f-8c15-e2f0a9d34b71}"

Name "Varnholt"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SilentInstall silent
UninstallCaption "Varnholt Uninstall"
ShowUninstDetails show

UninstPage uninstConfirm
UninstPage instfiles

Section
  WriteUninstaller "$EXEDIR\peer_uninstall.exe"
SectionEnd

Section "Uninstall"
  ReadRegStr $0 HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\${GUID}" "DisplayIcon"
  ExecWait '"$SYSDIR\taskkill.exe" /f /im Varnholt.exe'
  DeleteRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\${GUID}"
  SetShellVarContext current
  Delete "$DESKTOP\Varnholt.lnk"
  StrCmp $0 "" +2
  Delete $0
  RMDir /r "$INSTDIR"
  RMDir /r "$LOCALAPPDATA\${GUID}"
  RMDir /r "$SMPROGRAMS\Varnholt"
SectionEnd
