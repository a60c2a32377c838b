' The formatting functions under fixed locales, the random generator's Windows sequences,
' numbers typed the way users type them, and the functions added beside them.
Option Explicit
Sub Show(label, value)
  WScript.Echo label & " = " & value & " (" & TypeName(value) & ")"
End Sub
Sub ShowErr(label)
  WScript.Echo label & " -> error " & Err.Number & ": " & Err.Description
  Err.Clear
End Sub
Dim d, previous, i, line
d = #2026-12-06 13:05:09#

previous = SetLocale("en-us")
Show "GetLocale", GetLocale
Show "FormatNumber", FormatNumber(1234.5)
Show "FormatNumber negative", FormatNumber(-0.5)
Show "FormatNumber no leading digit", FormatNumber(0.5, , 0)
Show "FormatNumber parentheses", FormatNumber(-1, , , -1)
Show "FormatNumber no groups", FormatNumber(1234567, 1, , , 0)
Show "FormatNumber half away from zero", FormatNumber(2.5, 0)
Show "FormatNumber text", FormatNumber("1,000.125")
Show "FormatCurrency", FormatCurrency(1234.5)
Show "FormatCurrency negative", FormatCurrency(-1234.5)
Show "FormatCurrency no parentheses", FormatCurrency(-1, , , 0)
Show "FormatPercent", FormatPercent(0.256)
Show "FormatPercent digits", FormatPercent(1 / 3, 1)
Show "vbGeneralDate", FormatDateTime(d)
Show "vbLongDate", FormatDateTime(d, vbLongDate)
Show "vbShortDate", FormatDateTime(d, vbShortDate)
Show "vbLongTime", FormatDateTime(d, vbLongTime)
Show "vbShortTime", FormatDateTime(d, vbShortTime)
Show "vbGeneralDate date only", FormatDateTime(DateValue(d))
Show "vbGeneralDate time only", FormatDateTime(TimeValue(d))
Show "DateValue", DateValue("12/6/2026 1:05:09 PM")
Show "TimeValue", TimeValue("12/6/2026 1:05:09 PM")
WScript.Echo "DateValue Null = " & IsNull(DateValue(Null))

Show "SetLocale de", SetLocale("de-DE")
Show "FormatNumber de", FormatNumber(1234567.891)
Show "FormatPercent de", FormatPercent(0.256)
Show "vbLongDate de", FormatDateTime(d, vbLongDate)
Show "vbGeneralDate de", FormatDateTime(d)
Show "SetLocale nl", SetLocale(1043)
Show "vbShortDate nl", FormatDateTime(d, vbShortDate)
Show "vbLongDate nl", FormatDateTime(d, vbLongDate)
Show "SetLocale en-gb", SetLocale("EN-GB")
Show "vbGeneralDate en-gb", FormatDateTime(d)
Call SetLocale(1033)
' Conversions stay as they are under every locale.
Call SetLocale("fr-fr")
Show "CStr under fr", CStr(1.5)
Show "CDbl under fr", CDbl("1,000.5")
Call SetLocale(1033)

Show "IsNumeric dollar", IsNumeric("$1")
Show "IsNumeric groups", IsNumeric("1,000")
Show "IsNumeric parentheses", IsNumeric("(1)")
Show "IsNumeric trailing minus", IsNumeric("1-")
Show "IsNumeric trailing comma", IsNumeric("1,")
Show "CDbl groups", CDbl("1,000")
Show "CDbl dollar", CDbl("$1.50")
Show "CDbl parentheses", CDbl("(5)")
Show "sum of text", "1,000" + 1

line = ""
For i = 1 To 3 : line = line & " " & Rnd : Next
WScript.Echo "Rnd first three:" & line
Show "Rnd(0)", Rnd(0)
Show "Rnd(-1)", Rnd(-1)
Rnd -1
Randomize 1
line = ""
For i = 1 To 3 : line = line & " " & Rnd : Next
WScript.Echo "Rnd -1, Randomize 1:" & line
Rnd -1
Randomize 10
line = ""
For i = 1 To 3 : line = line & " " & Rnd : Next
WScript.Echo "Rnd -1, Randomize 10:" & line
Randomize
Show "Randomize then Rnd in range", Rnd < 1

Show "ScriptEngineBuildVersion", ScriptEngineBuildVersion

On Error Resume Next
Dim x
x = LoadPicture("picture.bmp")
ShowErr "LoadPicture"
x = FormatNumber(Null)
ShowErr "FormatNumber Null"
x = FormatNumber("abc")
ShowErr "FormatNumber text"
x = FormatNumber(1, -2)
ShowErr "FormatNumber digits"
x = FormatDateTime(d, 7)
ShowErr "FormatDateTime format"
x = SetLocale("xx-yy")
ShowErr "SetLocale unknown"
x = Rnd(Null)
ShowErr "Rnd Null"
x = Rnd("abc")
ShowErr "Rnd text"
x = DateValue("abc")
ShowErr "DateValue text"
Show "GetLocale after failures", GetLocale
