' Operating system summary, with the boot time converted the usual way
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
Set colOperatingSystems = objWMIService.ExecQuery("Select * from Win32_OperatingSystem")
For Each objOS in colOperatingSystems
    Set dtmConvertedDate = CreateObject("WbemScripting.SWbemDateTime")
    dtmConvertedDate.Value = objOS.LastBootUpTime
    dtmLastBootUpTime = dtmConvertedDate.GetVarDate
    WScript.Echo "Has a caption: " & (Len(objOS.Caption) > 0)
    WScript.Echo "Booted in the past: " & (dtmLastBootUpTime <= Now)
    WScript.Echo "Memory reported: " & (CDbl(objOS.TotalVisibleMemorySize) > CDbl(objOS.FreePhysicalMemory))
    WScript.Echo "Path: " & objOS.Path_.RelPath
Next
