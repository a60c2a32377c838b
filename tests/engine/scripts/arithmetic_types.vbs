' Result subtypes of the arithmetic that loops use most: Integer, Long, Double
Dim i, s
WScript.Echo TypeName(32767 + 1), TypeName(2147483647 + 1), TypeName(100 * 400), TypeName(-32768 - 1)
WScript.Echo 7 Mod 3, -7 Mod 3, 7 Mod -3, TypeName(7 Mod 3), TypeName(70000 Mod 3), TypeName(7.5 Mod 2)
WScript.Echo 1.5 + 2, TypeName(1.5 + 2), 2.5 * 4, TypeName(2.5 * 4), 0.5 - 1
s = 0
For i = 1 To 2.5
  s = s + i
Next
WScript.Echo s, i, TypeName(i)
For i = 10 To 1 Step -3 : s = s & i : Next
WScript.Echo s, 2 < 10, "2" < "10", 32767 = 32767.0
On Error Resume Next
WScript.Echo 5 Mod 0
WScript.Echo Err.Number, Err.Description : Err.Clear
WScript.Echo 1.7E308 * 10
WScript.Echo Err.Number, Err.Description : Err.Clear
s = 2147483647 : s = s + 1
WScript.Echo s, TypeName(s)
Dim t, n : t = "" : n = Null
For i = 1 To 3 : t = t & i & "," & n : Next
WScript.Echo t, Len(t), TypeName(n & n), "x" & n & 1
