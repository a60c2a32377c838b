' Hardware inventory written to a CSV file for the asset database, then checked
Const ForReading = 1
Set objFSO = CreateObject("Scripting.FileSystemObject")
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
strFile = "W:\inventory.csv"

Set objFile = objFSO.CreateTextFile(strFile, True)
objFile.WriteLine "Class,Name,Detail"
intRows = 0
For Each objDisk In objWMIService.InstancesOf("Win32_DiskDrive")
    objFile.WriteLine "Disk," & objDisk.DeviceID & "," & objDisk.Size
    intRows = intRows + 1
Next
For Each objVolume In objWMIService.InstancesOf("Win32_Volume")
    objFile.WriteLine "Volume," & objVolume.Name & "," & objVolume.Capacity
    intRows = intRows + 1
Next
For Each objAdapter In objWMIService.InstancesOf("Win32_NetworkAdapter")
    objFile.WriteLine "Adapter," & objAdapter.Name & "," & objAdapter.MACAddress
    intRows = intRows + 1
Next
For Each objZone In objWMIService.InstancesOf("Win32_TimeZone")
    objFile.WriteLine "TimeZone," & objZone.StandardName & "," & objZone.Bias
    intRows = intRows + 1
Next
For Each objBIOS In objWMIService.InstancesOf("Win32_BIOS")
    objFile.WriteLine "BIOS," & objBIOS.Manufacturer & "," & objBIOS.SMBIOSBIOSVersion
    intRows = intRows + 1
Next
objFile.Close

' Read it back: every row has three fields and the classes come in the order written
Set objFile = objFSO.OpenTextFile(strFile, ForReading)
WScript.Echo "Header: " & objFile.ReadLine
intRead = 0
blnFields = True
Do Until objFile.AtEndOfStream
    arrFields = Split(objFile.ReadLine, ",")
    If UBound(arrFields) <> 2 Then blnFields = False
    intRead = intRead + 1
Loop
objFile.Close
WScript.Echo "Rows read back: " & (intRead = intRows)
WScript.Echo "Three fields each: " & blnFields
WScript.Echo "At least a disk, a volume and a time zone: " & (intRows >= 3)
objFSO.DeleteFile strFile
