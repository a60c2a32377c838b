' For loops keep the subtypes and errors of + and of the For line's test, wherever the counter lives
Dim i, s, t
s = ""
For i = 32765 To 32769 : s = s & TypeName(i) & " " : Next
WScript.Echo s, i, TypeName(i)
s = ""
For i = 2147483645 To 2147483649 : s = s & TypeName(i) & " " : Next
WScript.Echo s, i, TypeName(i)
s = ""
For i = 1 To 2 Step 0.5 : s = s & i & " " : Next
WScript.Echo s, i, TypeName(i)
s = ""
For i = 3 To 1 Step -1 : s = s & i : Next
WScript.Echo s, i
s = ""
For i = 1 To 3 : s = s & i : i = i + 1 : Next
WScript.Echo s, i
s = 0
For i = 1 To Empty : s = s + 1 : Next
WScript.Echo s, i
For i = -32768 To -32770 Step -1 : t = TypeName(i) : Next
WScript.Echo i, t, TypeName(i)
s = ""
For i = CByte(250) To CByte(252) : s = s & TypeName(i) & " " : Next
WScript.Echo s, TypeName(i)
s = ""
For i = 1.5 To 3 : s = s & i & " " : Next
WScript.Echo s, TypeName(i)
Class Counter
  Public Value
  Function Count(n)
    For Value = 1 To n : Count = Count & Value : Next
  End Function
End Class
Dim c : Set c = New Counter
WScript.Echo c.Count(4), c.Value
Sub ByReference(k)
  For k = 1 To 3 : Next
End Sub
Dim outer : outer = 0
ByReference outer
WScript.Echo outer
Function Undeclared()
  For j = 5 To 7 : Undeclared = Undeclared & j : Next
  Undeclared = Undeclared & " " & j
End Function
WScript.Echo Undeclared()
On Error Resume Next
For i = 1 To 3
  WScript.Echo "body", i
  If i = 2 Then i = "x"
Next
WScript.Echo "after", i, Err.Number
Err.Clear
For i = 2147483646 To 2147483647 Step 2147483647 : WScript.Echo "big", i, TypeName(i) : Next
WScript.Echo i, TypeName(i), Err.Number
