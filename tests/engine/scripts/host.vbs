' The WScript object
WScript.Echo WScript.ScriptName, WScript.Arguments.Count, WScript.Arguments(0)
WScript.Echo WScript.Arguments.Named("two"), WScript.Arguments.Unnamed.Count
For Each arg In WScript.Arguments : WScript.StdOut.Write arg & ";" : Next
WScript.StdOut.WriteLine
WScript.StdOut.WriteBlankLines 1
WScript.StdErr.WriteLine "to stderr"
WScript.Echo
WScript.Quit 3
WScript.Echo "never"
