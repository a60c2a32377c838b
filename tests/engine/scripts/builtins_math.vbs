' The math library and the conversions' range rules: subtypes kept, banker's rounding, domains.
Option Explicit
Sub Show(label, value)
  WScript.Echo label & " = " & value & " (" & TypeName(value) & ")"
End Sub
Sub ShowErr(label)
  WScript.Echo label & " -> error " & Err.Number & ": " & Err.Description
  Err.Clear
End Sub

Show "Round 2.5", Round(2.5)
Show "Round 3.5", Round(3.5)
Show "Round -2.5", Round(-2.5)
Show "Round 0.5", Round(0.5)
Show "Round digits", Round(1.2345, 2)
Show "Round half even digits", Round(0.125, 2)
Show "Round integer", Round(5)
Show "Round currency", Round(CCur(2.5))
Show "Round currency digits", Round(CCur(1.2345), 3)
Show "Round text", Round("2.5")
Show "Round empty", Round(Empty)
WScript.Echo "Round null = " & IsNull(Round(Null))
Show "Fix", Fix(-2.5)
Show "Int", Int(-2.5)
Show "Int positive", Int(2.7)
Show "Int integer", Int(5)
Show "Int text", Int("3.7")
Show "Fix currency", Fix(CCur(-2.5))
Show "Int currency", Int(CCur(-2.5))
Show "Int boolean", Int(True)
WScript.Echo "Int null = " & IsNull(Int(Null))
Show "Abs", Abs(-5)
Show "Abs promotes", Abs(-32768)
Show "Abs text", Abs("-3")
Show "Abs empty", Abs(Empty)
WScript.Echo "Abs null = " & IsNull(Abs(Null))
Show "Sgn negative", Sgn(-3)
Show "Sgn zero", Sgn(0)
Show "Sgn positive", Sgn(2.5)
Show "Sqr", Sqr(16)
Show "Exp", Exp(0)
Show "Log", Log(Exp(1))
Show "Pi", Atn(1) * 4
Show "Cos", Cos(0)
Show "Sin", Sin(0)
Show "Tan", Tan(0)
WScript.Echo "Sqr null = " & IsNull(Sqr(Null))
Show "CByte", CByte(255)
Show "CByte half even", CByte(254.5)
Show "IsNumeric text", IsNumeric("12")
Show "IsNumeric exponent", IsNumeric("1e3")
Show "IsNumeric blanks", IsNumeric(" 12 ")
Show "IsNumeric hex", IsNumeric("&H1F")
Show "IsNumeric word", IsNumeric("abc")
Show "IsNumeric empty text", IsNumeric("")
Show "IsNumeric Empty", IsNumeric(Empty)
Show "IsNumeric Null", IsNumeric(Null)
Show "IsNumeric boolean", IsNumeric(True)
Show "IsNumeric date", IsNumeric(CDate(1))

On Error Resume Next
Dim x
x = Round(1.5, -1) : ShowErr "Round negative digits"
x = Round(1.5, Null) : ShowErr "Round Null digits"
x = Sqr(-1) : ShowErr "Sqr negative"
x = Log(0) : ShowErr "Log zero"
x = Exp(1000) : ShowErr "Exp overflow"
x = Abs("x") : ShowErr "Abs word"
x = CByte(256) : ShowErr "CByte 256"
x = CByte(-1) : ShowErr "CByte -1"
x = CByte(255.5) : ShowErr "CByte 255.5"
x = CByte(Null) : ShowErr "CByte Null"
On Error GoTo 0
Show "RGB", RGB(1, 2, 3)
Show "RGB clamps", RGB(300, 0, 255)
On Error Resume Next
x = RGB(-1, 0, 0) : ShowErr "RGB negative"
