' Operators whose left operand is a local variable and right operand a constant, in every
' kind of value a local can hold, and the single-line If whose Else shares its line.
Function Describe(v)
  Dim d
  d = v + 1
  Describe = TypeName(d) & ":" & d
End Function

Sub Twice(n)           ' ByRef: the local is a reference to the caller's variable
  n = n * 2
End Sub

Function Cut(s)
  Cut = s & "!" & Len(s) - 1
End Function

Function Safe(v)
  On Error Resume Next
  Dim r
  r = v - 1
  If Err.Number <> 0 Then Safe = "error " & Err.Number Else Safe = r
End Function

Function Sign(n)
  If n < 0 Then Sign = -1 Else If n = 0 Then Sign = 0 Else Sign = 1
End Function

Function Fib(n)
  If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)
End Function

Dim x : x = 20
Twice x
WScript.Echo x
WScript.Echo Describe(1), Describe(32767), Describe(2.5), Describe("4"), Describe(Empty)
WScript.Echo Describe(True), Describe(CByte(255))
WScript.Echo TypeName(Describe(Null))
WScript.Echo Cut("abc")
WScript.Echo Safe(5), Safe("x")
WScript.Echo Sign(-3), Sign(0), Sign(7)
WScript.Echo Fib(20)
