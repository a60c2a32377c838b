' Service status report, as administrators write it: every service with its state and start
' mode, checked against the unit files it comes from rather than against a fixed list.
Option Explicit
Dim objWMIService, colServices, objService, fso, intCount, blnStates, blnModes, blnStarted, blnFiles
Dim blnIds, strFirst, objAgain, arrFolders, strFolder, blnFound
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
Set fso = CreateObject("Scripting.FileSystemObject")
arrFolders = Array("/etc/systemd/system/", "/run/systemd/system/", "/usr/local/lib/systemd/system/", _
                   "/lib/systemd/system/", "/usr/lib/systemd/system/")
Set colServices = objWMIService.ExecQuery("Select * from Win32_Service", , 48)
intCount = 0 : blnStates = True : blnModes = True : blnStarted = True : blnFiles = True : blnIds = True
For Each objService In colServices
    intCount = intCount + 1
    If intCount = 1 Then strFirst = objService.Name
    Select Case objService.State
        Case "Running", "Stopped", "Start Pending", "Stop Pending"
        Case Else blnStates = False
    End Select
    Select Case objService.StartMode
        Case "Auto", "Manual", "Disabled"
        Case Else blnModes = False
    End Select
    If objService.Started <> (objService.State = "Running") Then blnStarted = False
    If objService.State = "Stopped" And objService.ProcessId <> 0 Then blnIds = False
    ' Without a running systemd every service comes from a unit file.
    If Not fso.FolderExists("/run/systemd/system") Then
        blnFound = False
        For Each strFolder In arrFolders
            If fso.FileExists(strFolder & objService.Name & ".service") Then blnFound = True
        Next
        If Not blnFound Then blnFiles = False
    End If
Next
WScript.Echo "Same count both ways: " & (intCount = objWMIService.InstancesOf("Win32_Service").Count)
WScript.Echo "States as Windows names them: " & blnStates
WScript.Echo "Start modes as Windows names them: " & blnModes
WScript.Echo "Started agrees with State: " & blnStarted
WScript.Echo "Stopped services have no process: " & blnIds
WScript.Echo "Every service has its unit file: " & blnFiles
If intCount > 0 Then
    Set objAgain = objWMIService.Get("Win32_Service.Name='" & strFirst & "'")
    WScript.Echo "Found again by its path: " & (objAgain.Name = strFirst)
    WScript.Echo "A boot start mode is refused: " & (objAgain.ChangeStartMode("Boot") = 21)
Else
    WScript.Echo "Found again by its path: True"
    WScript.Echo "A boot start mode is refused: True"
End If
