' Time zone report, with the offset checked against the system clock's
Set objShell = CreateObject("WScript.Shell")
Set objWMIService = GetObject("winmgmts:\\.\root\cimv2")

Function ShellOutput(strCommand)
    ShellOutput = Trim(Replace(objShell.Exec("sh -c """ & strCommand & """").StdOut.ReadAll, vbLf, ""))
End Function

' date +%z gives the offset now, +hhmm; Windows' Bias counts the other way, in minutes
strOffset = ShellOutput("date +%z")
intOffset = CInt(Mid(strOffset, 2, 2)) * 60 + CInt(Mid(strOffset, 4, 2))
If Left(strOffset, 1) = "-" Then intOffset = -intOffset
strAbbreviation = ShellOutput("date +%Z")

Set colZones = objWMIService.ExecQuery("Select * from Win32_TimeZone")
WScript.Echo "Zones: " & colZones.Count
For Each objZone In colZones
    strReport = objZone.Caption & " / " & objZone.StandardName & " / " & objZone.DaylightName
    blnSummer = (strAbbreviation = objZone.DaylightName And objZone.DaylightName <> objZone.StandardName)
    If blnSummer Then
        WScript.Echo "Offset as the clock: " & (-(objZone.Bias + objZone.DaylightBias) = intOffset)
    Else
        WScript.Echo "Offset as the clock: " & (-objZone.Bias = intOffset)
    End If
    WScript.Echo "Name as the clock: " & (strAbbreviation = objZone.StandardName Or strAbbreviation = objZone.DaylightName)
    WScript.Echo "Caption starts (UTC: " & (Left(objZone.Caption, 4) = "(UTC")
    If objZone.DaylightMonth = 0 Then
        WScript.Echo "Summer time rule complete: " & (objZone.StandardMonth = 0 And objZone.DaylightBias = 0)
    Else
        WScript.Echo "Summer time rule complete: " & (objZone.StandardMonth > 0 And objZone.DaylightDay >= 1 And objZone.DaylightDay <= 5)
    End If
Next
For Each objComputer In objWMIService.ExecQuery("Select CurrentTimeZone from Win32_ComputerSystem")
    WScript.Echo "Computer's offset agrees: " & (objComputer.CurrentTimeZone = intOffset)
Next
