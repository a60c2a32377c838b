' Hardware inventory: firmware, main board and memory modules, as an asset script collects them
Set objShell = CreateObject("WScript.Shell")
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")

Function ShellOutput(strCommand)
    ShellOutput = Trim(Replace(objShell.Exec("sh -c """ & strCommand & """").StdOut.ReadAll, vbLf, ""))
End Function

blnTables = (ShellOutput("test -d /sys/class/dmi/id && echo yes") = "yes")
Set colBIOS = objWMIService.ExecQuery("Select * from Win32_BIOS")
WScript.Echo "Firmware entries as the machine tables: " & (colBIOS.Count = Abs(CInt(blnTables)))
For Each objBIOS In colBIOS
    strReport = "BIOS: " & objBIOS.Manufacturer & " " & objBIOS.SMBIOSBIOSVersion
    If Not IsNull(objBIOS.ReleaseDate) Then
        Set dtmRelease = CreateObject("WbemScripting.SWbemDateTime")
        dtmRelease.Value = objBIOS.ReleaseDate
        strReport = strReport & " released " & FormatDateTime(dtmRelease.GetVarDate, vbShortDate)
    End If
    WScript.Echo "Vendor as /sys: " & (objBIOS.Manufacturer & "" = ShellOutput("cat /sys/class/dmi/id/bios_vendor 2>/dev/null"))
Next
If colBIOS.Count = 0 Then WScript.Echo "Vendor as /sys: True"

Set colBoards = objWMIService.ExecQuery("Select Manufacturer, Product, SerialNumber from Win32_BaseBoard")
WScript.Echo "Boards as the machine tables: " & (colBoards.Count = Abs(CInt(blnTables)))
For Each objBoard In colBoards
    strReport = "Board: " & objBoard.Manufacturer & " " & objBoard.Product & " serial " & objBoard.SerialNumber
Next

dblInstalled = 0
For Each objModule In objWMIService.ExecQuery("Select * from Win32_PhysicalMemory")
    dblInstalled = dblInstalled + CDbl(objModule.Capacity)
Next
For Each objComputer In objWMIService.ExecQuery("Select TotalPhysicalMemory from Win32_ComputerSystem")
    ' Modules, where they are listed, hold at least what the system can use
    WScript.Echo "Memory modules consistent: " & (dblInstalled = 0 Or dblInstalled >= CDbl(objComputer.TotalPhysicalMemory))
Next
