' Sub, Function, ByRef/ByVal, recursion, arrays
Function Fact(n)
  If n <= 1 Then Fact = 1 Else Fact = n * Fact(n - 1)
End Function
Sub Swap(a, b)
  Dim t : t = a : a = b : b = t
End Sub
Sub NoChange(ByVal a) : a = "changed" : End Sub
Function Early(x)
  Early = "early"
  If x Then Exit Function
  Early = "late"
End Function
Dim x, y : x = 1 : y = 2
Swap x, y
WScript.Echo Fact(10), x, y
NoChange x
WScript.Echo x, Early(True), Early(False)
Dim arr(2, 1)
arr(2, 1) = "corner"
WScript.Echo UBound(arr), UBound(arr, 2), arr(2, 1)
Dim d() : ReDim d(1) : d(0) = "keep"
ReDim Preserve d(4)
WScript.Echo UBound(d), d(0), IsEmpty(d(4))
Dim copy : copy = d : copy(0) = "copy"
WScript.Echo d(0), copy(0)
Erase d
WScript.Echo IsArray(d)
Call Swap(x, y)
WScript.Echo x, y
With WScript
  .Echo "with", .ScriptName
End With
