' The shell as scripts use it under cscript: the documented wait-then-read Exec loop over more
' output than a pipe holds, a variable a child inherits, the classes root read through the
' registry, and the clear error of SendKeys.
Set sh = CreateObject("WScript.Shell")
Set e = sh.Exec("sh -c ""head -c 200000 /dev/zero | tr '\0' x; echo done >&2; exit 4""")
Do While e.Status = 0
  WScript.Sleep 10
Loop
WScript.Echo Len(e.StdOut.ReadAll), e.StdErr.ReadLine, e.ExitCode
WScript.Echo sh.ExpandEnvironmentStrings("%NO_SUCH_VARIABLE_HERE%")
sh.Environment("Process")("QUILLET_CHILD") = "seen"
WScript.Echo sh.Run("sh -c ""test $QUILLET_CHILD = seen""", 0, True)
WScript.Echo sh.RegRead("HKCR\WScript.Shell\CLSID\")
sh.SendKeys "x"
