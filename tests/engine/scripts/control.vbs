' If, Select, loops and Exit
Dim i, s, total
For i = 10 To 1 Step -3 : s = s & i & " " : Next
WScript.Echo s, "after:", i
s = ""
For i = 1 To 3
  If i = 1 Then
    s = s & "one"
  ElseIf i = 2 Then
    s = s & "two"
  Else
    s = s & "many"
  End If
Next
WScript.Echo s
i = 0
Do
  i = i + 1
  If i = 4 Then Exit Do
Loop
WScript.Echo "exit do at", i
Do Until i = 0 : i = i - 1 : Loop
While i < 3 : i = i + 1 : Wend
WScript.Echo "while", i
Do : i = i + 10 : Loop While i < 50
WScript.Echo "post", i
For Each v In Array("a", 2, Null)
  Select Case v
    Case "a", "b" : WScript.Echo "letter"
    Case 2 : WScript.Echo "two"
    Case Else : WScript.Echo "else", IsNull(v)
  End Select
Next
Dim lim : lim = 3
For i = 1 To lim : lim = 10 : total = total + 1 : Next
WScript.Echo "bounds once", total
For i = 1 To 5
  If i = 2 Then Exit For
Next
WScript.Echo "exit for", i
If i = 2 Then WScript.Echo "single" Else WScript.Echo "line"
' A For Each line that fails under On Error Resume Next runs the body once, then ends
On Error Resume Next
n = 0
For Each x In Nothing
  n = n + 1
Next
WScript.Echo "after", n, Err.Number
On Error GoTo 0
