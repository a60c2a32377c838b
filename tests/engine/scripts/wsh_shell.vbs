' The shell as scripts use it under cscript: the documented wait-then-read Exec loop over more
' output than a pipe holds, a variable a child inherits, the working folder it starts in, a
' child killed by a signal, the classes root read through the registry, and the clear error of
' SendKeys.
Set sh = CreateObject("WScript.Shell")
child = """" & sh.ExpandEnvironmentStrings("%QUILLET_TEST_CHILD%") & """"
Set e = sh.Exec(child & " out-bytes 200000 x err done exit 4")
Do While e.Status = 0
  WScript.Sleep 10
Loop
WScript.Echo Len(e.StdOut.ReadAll), e.StdErr.ReadLine, e.ExitCode
WScript.Echo sh.ExpandEnvironmentStrings("%NO_SUCH_VARIABLE_HERE%")
sh.Environment("Process")("QUILLET_CHILD") = "seen"
WScript.Echo sh.Exec(child & " env QUILLET_CHILD").StdOut.ReadLine
sh.CurrentDirectory = sh.ExpandEnvironmentStrings("%HOME%")
Set e = sh.Exec(child & " cwd out-lines 3")
WScript.Echo Replace(e.StdOut.ReadAll, vbLf, "|")
WScript.Echo sh.Run(child & " signal 15", 0, True)
WScript.Echo sh.RegRead("HKCR\WScript.Shell\CLSID\")
sh.SendKeys "x"
