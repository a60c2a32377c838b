' Creating, changing and deleting environment variables through Win32_Environment, as
' administrators script it: SpawnInstance_, Put_, Delete_. The variables land where
' WScript.Shell's User and System environments keep them.
Option Explicit
Dim wmi, net, sh, v, e, path, count
Set wmi = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
Set net = CreateObject("WScript.Network")
Set sh = CreateObject("WScript.Shell")

Set v = wmi.Get("Win32_Environment").SpawnInstance_
v.Name = "ToolsHome"
v.UserName = net.ComputerName & "\" & net.UserName
v.VariableValue = "C:\tools"
Set path = v.Put_
WScript.Echo "Put_ gave a path of class " & path.Class
WScript.Echo "User environment: " & sh.Environment("User")("ToolsHome")

Set v = wmi.Get("Win32_Environment").SpawnInstance_
v.Name = "BuildRoot"
v.UserName = "<SYSTEM>"
v.VariableValue = "%SystemRoot%\build"
v.Put_
WScript.Echo "System environment: " & sh.Environment("System")("BuildRoot")

' Change one: read it back, set the value, write it again.
For Each e In wmi.ExecQuery("Select * from Win32_Environment Where Name = 'ToolsHome'")
  e.VariableValue = "D:\tools"
  e.Put_
Next
For Each e In wmi.ExecQuery("Select * from Win32_Environment Where Name = 'ToolsHome' Or Name = 'BuildRoot'")
  WScript.Echo e.Name & " = " & e.VariableValue & " (system: " & e.SystemVariable & ", owner named: " & _
    (e.UserName = "<SYSTEM>" Or LCase(e.UserName) = LCase(net.ComputerName & "\" & net.UserName)) & ")"
Next

For Each e In wmi.ExecQuery("Select * from Win32_Environment Where Name = 'ToolsHome'")
  e.Delete_
Next
count = 0
For Each e In wmi.ExecQuery("Select * from Win32_Environment Where Name = 'ToolsHome'")
  count = count + 1
Next
WScript.Echo "After Delete_: " & count & " left, User environment [" & sh.Environment("User")("ToolsHome") & "]"

On Error Resume Next
Set v = wmi.Get("Win32_Environment").SpawnInstance_
v.Name = "Other" : v.UserName = "SOMEWHERE\somebody" : v.VariableValue = "1"
v.Put_
WScript.Echo "Another user's variable: " & Hex(Err.Number)
Err.Clear
v.UserName = "<SYSTEM>" : v.Name = "A=B"
v.Put_
WScript.Echo "A name with '=': " & Hex(Err.Number)
