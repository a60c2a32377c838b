Dim a(3), s
For i = 0 To 3 : a(i) = i * 2 : Next
s = ""
For Each x In a : s = s & x & "," : Next
If Len(s) > 3 Then s = s & "!" Else s = "?"
