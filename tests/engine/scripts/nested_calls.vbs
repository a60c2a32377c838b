' Errors, ByRef, results and terminations through nested calls of global procedures
Class Noisy
  Public Name
  Private Sub Class_Terminate : WScript.Echo "terminate", Name : End Sub
End Class
Function Depth(n)
  If n = 0 Then Depth = 0 Else Depth = 1 + Depth(n - 1)
End Function
Sub Fail(level)
  If level = 0 Then Err.Raise 5, "Fail", "deep"
  Fail level - 1
  WScript.Echo "never", level
End Sub
Function Guarded(level)
  On Error Resume Next
  Fail level
  Guarded = "guarded " & Err.Number & " " & Err.Description
End Function
Function Outer()
  Outer = Guarded(3) & " / after"
End Function
Sub Bump(ByRef x, ByVal y) : x = x + 1 : y = y + 1 : End Sub
Function Keep(name)
  Dim local : Set local = New Noisy : local.Name = name
  Keep = "kept " & name
End Function
Function Recurse(n) : Recurse = Recurse(n + 1) : End Function
Sub NoArgs : WScript.Echo "no args" : End Sub
Function Count(ByRef c) : c = c + 1 : Count = c : End Function

WScript.Echo Depth(2000)
WScript.Echo Outer()
Dim a, b : a = 1 : b = 1
Bump a, b
Bump (a), b
WScript.Echo a, b
WScript.Echo Keep("first") & "; " & Keep("second")
NoArgs
' A call written as an argument still passes its own arguments by reference.
Dim k : k = 0
WScript.Echo Count(k), k
WScript.Echo Count(k) + Count(k), k
On Error Resume Next
WScript.Echo Recurse(0)
WScript.Echo "stack", Err.Number, Err.Description
Err.Clear
Bump a
WScript.Echo "count", Err.Number
Err.Clear
Call Bump(a, )
WScript.Echo "missing", Err.Number
On Error GoTo 0
Fail 2
