' Wait for a host to answer before going on, as scripts do after restarting a server
Const MAX_ATTEMPTS = 5
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")

Function Answers(strAddress, intTimeout)
    Answers = False
    For Each objPing In objWMIService.ExecQuery("Select StatusCode, ResponseTime From Win32_PingStatus" & _
            " Where Address = '" & strAddress & "' And Timeout = " & intTimeout)
        If Not IsNull(objPing.StatusCode) Then Answers = (objPing.StatusCode = 0)
    Next
End Function

intAttempt = 0
Do
    intAttempt = intAttempt + 1
    If Answers("127.0.0.1", 500) Then Exit Do
    WScript.Sleep 100
Loop Until intAttempt >= MAX_ATTEMPTS
WScript.Echo "Answered on the first attempt: " & (intAttempt = 1)

' The selected properties come with the keys; the rest of the class reads as Null
For Each objPing In objWMIService.ExecQuery("Select StatusCode From Win32_PingStatus Where Address = '::1'")
    WScript.Echo "Address key kept: " & objPing.Address
    WScript.Echo "Unselected property: " & IsNull(objPing.ReplySize)
Next
