' Arithmetic, comparison and logic with Windows' subtype rules
WScript.Echo TypeName(1 + 1), TypeName(32767 + 1), TypeName(2147483647 + 1), TypeName(1.5 + 1)
WScript.Echo 10 / 4, 10 \ 4, 10 Mod 4, 2 ^ 10, -2 ^ 2, 7.5 \ 2
WScript.Echo "1" + 2, "1" + "2", "a" & 1 & True, 1 & Null
WScript.Echo True + True, Not 0, Not True, 5 And 3, 5 Or 3, 5 Xor 3, TypeName(True And True)
WScript.Echo 1 = "1", Empty = 0, Empty = "", IsNull(Null = 1), IsNull(Null And True), Null Or True
Dim n, s : n = 1 : s = "1"
WScript.Echo n = s, n < s, "abc" < "abd", "B" > "a"
WScript.Echo &HFF, &HFFFF, &O17, 1E3, .5, 1.5E-7, CDbl("3.25") * 2
WScript.Echo CInt(2.5), CInt(3.5), CLng(-2.5), CBool("true"), CStr(1 / 3), CCur(1.23456)
WScript.Echo VarType(CByte(1)), VarType(CSng(1)), VarType(CCur(1)), VarType(Now2), TypeName(Nothing)
WScript.Echo IsNumeric("12.5"), IsNumeric("abc"), IsNumeric(""), IsDate("1/2/2003"), IsEmpty(x)
WScript.Echo #1/2/2003# + 1, CDate("2003-01-02") - #1/1/2003#
