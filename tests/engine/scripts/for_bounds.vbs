' A For line reads its start, limit and step as numbers: a string among them ends the loop as its
' number would, Null is refused (94) and a string that is no number is a Type mismatch (13), both
' on the For line
Dim i, s, limit
Sub Guard()
  If Len(s) > 200 Then Err.Raise 6
End Sub
s = ""
For i = 1 To "3"
  s = s & i & TypeName(i) & " " : Guard
Next
WScript.Echo s, i, TypeName(i)
limit = " 4 "
s = ""
For i = 2 To limit
  s = s & i & " " : Guard
Next
WScript.Echo s, i, TypeName(i), TypeName(limit)
s = ""
For i = 1 To 6 Step "2"
  s = s & i & TypeName(i) & " " : Guard
Next
WScript.Echo s, i
s = ""
For i = 3 To "1" Step "-1"
  s = s & i & " " : Guard
Next
WScript.Echo s, i, TypeName(i)
s = ""
For i = "2" To 3
  s = s & i & TypeName(i) & " " : Guard
Next
WScript.Echo s, i
s = ""
For i = CByte(1) To "2"
  s = s & TypeName(i) & " " : Guard
Next
WScript.Echo s, TypeName(i)
s = ""
limit = True
For i = True To 0
  s = s & i & TypeName(i) & " " : Guard
Next
For i = limit To 0
  s = s & i & TypeName(i) & " " : Guard
Next
WScript.Echo s
Function NullBound(first, last)
  NullBound = "ran"
  For i = first To last
    s = s & i : Guard
  Next
  NullBound = "ended"
End Function
On Error Resume Next
s = ""
limit = "not set"
limit = NullBound(1, Null)
WScript.Echo limit, Err.Number, Err.Description, "[" & s & "]"
Err.Clear
limit = "not set"
limit = NullBound(Null, 3)
WScript.Echo limit, Err.Number, "[" & s & "]"
On Error Goto 0
s = ""
For i = 1 To "x"
  s = s & i : Guard
Next
WScript.Echo "never", s
