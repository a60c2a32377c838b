' Free space on every volume, flagging the ones that are nearly full, as a nightly check does
Const GB = 1073741824
Const WARNING_PERCENT = 10
Set objShell = CreateObject("WScript.Shell")
Set objWMIService = GetObject("winmgmts:\\.\root\cimv2")
Set colVolumes = objWMIService.ExecQuery("Select * from Win32_Volume Where DriveType = 3")

Function ShellOutput(strCommand)
    ShellOutput = Trim(Replace(objShell.Exec("sh -c """ & strCommand & """").StdOut.ReadAll, vbLf, ""))
End Function

intLow = 0
blnSane = True
For Each objVolume In colVolumes
    If Not IsNull(objVolume.Capacity) Then
        dblPercentFree = 100 * CDbl(objVolume.FreeSpace) / CDbl(objVolume.Capacity)
        If dblPercentFree < WARNING_PERCENT Then intLow = intLow + 1
        If dblPercentFree < 0 Or dblPercentFree > 100 Then blnSane = False
        strLine = objVolume.Name & " [" & objVolume.Label & "] " & objVolume.FileSystem & ": " & _
            FormatNumber(CDbl(objVolume.FreeSpace) / GB, 2) & " GB free (" & Round(dblPercentFree) & "%)"
    End If
Next
WScript.Echo "Free space within capacity: " & blnSane

' The root file system is drive Z:, and df agrees on its size and type
Set colRoot = objWMIService.ExecQuery("Select * from Win32_Volume Where DriveLetter = 'Z:'")
WScript.Echo "Volumes on Z: " & colRoot.Count
For Each objVolume In colRoot
    WScript.Echo "Name: " & objVolume.Name
    WScript.Echo "Capacity as df: " & (objVolume.Capacity = ShellOutput("df -B1 --output=size / | tail -1"))
    WScript.Echo "File system as df: " & (objVolume.FileSystem = ShellOutput("df --output=fstype / | tail -1"))
    WScript.Echo "Boot volume: " & objVolume.BootVolume
    WScript.Echo "Path: " & objVolume.Path_.RelPath
Next
