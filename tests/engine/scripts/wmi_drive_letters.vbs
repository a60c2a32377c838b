' Which drive letters are volumes, and do the drive objects agree with WMI on their size
Set objFSO = CreateObject("Scripting.FileSystemObject")
Set objWMIService = GetObject("winmgmts:\\.\root\cimv2")
Set colLettered = objWMIService.ExecQuery("Select * from Win32_Volume Where DriveLetter Is Not Null")
WScript.Echo "Volumes with a letter: " & (colLettered.Count >= 1)
blnAgree = True
For Each objVolume In colLettered
    Set objDrive = objFSO.GetDrive(objVolume.DriveLetter)
    If CDbl(objDrive.TotalSize) <> CDbl(objVolume.Capacity) Then blnAgree = False
    If objVolume.Name <> objVolume.DriveLetter & "\" Then blnAgree = False
Next
WScript.Echo "Drive sizes agree with the volumes: " & blnAgree

' W: is a folder of the drive map, not a file system of its own: no volume has its letter
Set colW = objWMIService.ExecQuery("Select * from Win32_Volume Where DriveLetter = 'W:'")
WScript.Echo "Volumes on W: " & colW.Count
WScript.Echo "W: exists as a drive: " & objFSO.DriveExists("W:")

' Every volume without a letter is still named by its path
blnNamed = True
For Each objVolume In objWMIService.ExecQuery("Select Name, DriveLetter from Win32_Volume Where DriveLetter Is Null")
    If Len(objVolume.Name) = 0 Then blnNamed = False
Next
WScript.Echo "Volumes without a letter named: " & blnNamed
