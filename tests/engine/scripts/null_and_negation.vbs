' Null through + whatever the other side is; negation before ^
WScript.Echo IsNull("a" + Null), IsNull(Null + "a"), IsNull(1 + Null), IsNull(Null + Null), IsNull(Empty + Null)
Dim s, n : s = "text" : n = Null
WScript.Echo IsNull(s + n), TypeName(n + s), "a" + "b", "" + Empty, 1 + "2"
Class Named : Public Default Property Get Value : Value = "word" : End Property : End Class
WScript.Echo IsNull(New Named + Null)
On Error Resume Next
Dim arr : arr = Array(1)
x = arr + Null
WScript.Echo "array", Err.Number
Err.Clear
x = "a" + 1
WScript.Echo "text and number", Err.Number
On Error GoTo 0
WScript.Echo -2 ^ 2, -2 ^ 3, 2 ^ -1, -(2 ^ 2), 3 * -2 ^ 2, - 3 ^ 2
Dim k : k = 3
WScript.Echo -k ^ 2, 10 - k ^ 2, -k ^ 2 ^ 2
