' The date library on Automation dates, under the English (United States) rules.
Option Explicit
Sub Show(label, value)
  WScript.Echo label & " = " & value
End Sub
Sub ShowErr(label)
  WScript.Echo label & " -> error " & Err.Number & ": " & Err.Description
  Err.Clear
End Sub

Show "DateSerial", DateSerial(2024, 3, 15)
Show "DateSerial type", TypeName(DateSerial(2024, 3, 15))
Show "DateSerial day overflow", DateSerial(2024, 2, 30)
Show "DateSerial month overflow", DateSerial(2020, 13, 1)
Show "DateSerial day zero", DateSerial(2020, 1, 0)
Show "DateSerial month zero", DateSerial(2020, 0, 1)
Show "DateSerial two digits", DateSerial(99, 1, 1)
Show "DateSerial window", DateSerial(29, 1, 1) & " " & DateSerial(30, 1, 1)
Show "TimeSerial", TimeSerial(13, 5, 9)
Show "TimeSerial past a day", TimeSerial(25, 0, 0)
Show "TimeSerial before midnight", TimeSerial(0, -1, 0)
Dim d
d = CDate("3/15/2024 1:02:03 PM")
Show "parts", Year(d) & " " & Month(d) & " " & Day(d) & " " & Hour(d) & " " & Minute(d) & " " & Second(d)
Show "part type", TypeName(Year(d))
Show "Year null", IsNull(Year(Null))
Show "Weekday", Weekday(d)
Show "Weekday Monday", Weekday(d, vbMonday)
Show "Weekday text", Weekday("1/1/2000")
Show "DateAdd month end", DateAdd("m", 1, DateSerial(2024, 1, 31))
Show "DateAdd leap year", DateAdd("yyyy", 1, DateSerial(2024, 2, 29))
Show "DateAdd quarter", DateAdd("q", 1, DateSerial(2024, 11, 30))
Show "DateAdd day back", DateAdd("d", -1, DateSerial(2024, 3, 1))
Show "DateAdd hours", DateAdd("h", 25, DateSerial(2024, 1, 1))
Show "DateAdd weeks", DateAdd("ww", 2, DateSerial(2024, 1, 1))
Show "DateAdd seconds", DateAdd("s", 61, d)
Show "DateAdd upper case", DateAdd("YYYY", -1, DateSerial(2024, 1, 1))
Show "DateDiff days", DateDiff("d", DateSerial(2024, 1, 1), DateSerial(2024, 3, 1))
Show "DateDiff days back", DateDiff("d", DateSerial(2024, 3, 1), DateSerial(2024, 1, 1))
Show "DateDiff month boundary", DateDiff("m", DateSerial(2024, 1, 31), DateSerial(2024, 2, 1))
Show "DateDiff year boundary", DateDiff("yyyy", DateSerial(2023, 12, 31), DateSerial(2024, 1, 1))
Show "DateDiff hour boundary", DateDiff("h", CDate("1/1/2024 10:59:00 AM"), CDate("1/1/2024 11:00:00 AM"))
Show "DateDiff w", DateDiff("w", DateSerial(2024, 1, 1), DateSerial(2024, 1, 14))
Show "DateDiff ww", DateDiff("ww", DateSerial(2024, 1, 1), DateSerial(2024, 1, 14))
Show "DateDiff ww Monday", DateDiff("ww", DateSerial(2024, 1, 1), DateSerial(2024, 1, 14), vbMonday)
Show "DateDiff type", TypeName(DateDiff("d", 0, 1))
Show "DatePart year day", DatePart("y", DateSerial(2024, 3, 1))
Show "DatePart quarter", DatePart("q", DateSerial(2024, 8, 1))
Show "DatePart weekday", DatePart("w", d)
Show "DatePart week", DatePart("ww", DateSerial(2024, 1, 1)) & " " & DatePart("ww", DateSerial(2024, 1, 7))
Show "DatePart four days", DatePart("ww", DateSerial(2021, 1, 1), vbMonday, vbFirstFourDays)
Show "DatePart four days later", DatePart("ww", DateSerial(2021, 1, 4), vbMonday, vbFirstFourDays)
Show "DatePart full week later", DatePart("ww", DateSerial(2024, 1, 7), vbSunday, vbFirstFullWeek)
Show "Date is today", Date = Int(Now)
Show "Timer type", TypeName(Timer)

On Error Resume Next
Dim x
x = DateAdd("x", 1, d) : ShowErr "DateAdd bad interval"
x = DateSerial(10000, 1, 1) : ShowErr "DateSerial year 10000"
x = Year("not a date") : ShowErr "Year of text"
x = Weekday(d, 8) : ShowErr "Weekday first day 8"
x = DatePart("ww", d, 1, 4) : ShowErr "DatePart first week 4"
On Error GoTo 0
Show "MonthName", MonthName(1) & " " & MonthName(12, True)
Show "WeekdayName", WeekdayName(1) & " " & WeekdayName(7, True) & " " & WeekdayName(1, False, vbMonday)
On Error Resume Next
x = MonthName(13) : ShowErr "MonthName 13"
x = WeekdayName(0) : ShowErr "WeekdayName 0"
