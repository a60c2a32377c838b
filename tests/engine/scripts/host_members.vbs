' The WScript object's members as its declaration gives them: defaults for missing optional
' arguments, the views of the arguments, and Windows' errors for calls that do not fit.
WScript.StdOut.WriteLine
WScript.Echo WScript.Application.Name, TypeName(WScript.Arguments.Named), WScript.Arguments.length
WScript.Echo WScript.Arguments.Named.Exists("TWO"), WScript.Arguments.Named.Item("two"), WScript.Arguments.Named.Count
WScript.Echo WScript.Arguments.Unnamed(0), WScript.Arguments.Unnamed.length
On Error Resume Next
WScript.Name = "x" : WScript.Echo "assign Name", Err.Number : Err.Clear
x = WScript.Arguments.Exists("two") : WScript.Echo "Exists of all", Err.Number : Err.Clear
WScript.Sleep : WScript.Echo "Sleep", Err.Number : Err.Clear
WScript.StdOut.Write : WScript.Echo "Write", Err.Number : Err.Clear
WScript.ConnectObject 1, "x_" : WScript.Echo "ConnectObject", Err.Number : Err.Clear
Set o = WScript.CreateObject("Scripting.Dictionary", "d_") : WScript.Echo TypeName(o), Err.Number
WScript.Quit
