' Is the host up? The usual reachability check before a remote job, for IPv4 and IPv6 loopback
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}")

Function IsReachable(strHost)
    IsReachable = False
    Set colPings = objWMIService.ExecQuery("Select * From Win32_PingStatus Where Address = '" & strHost & "'")
    For Each objStatus In colPings
        If IsNull(objStatus.StatusCode) Then
            WScript.Echo strHost & ": address not resolved"
        ElseIf objStatus.StatusCode <> 0 Then
            WScript.Echo strHost & ": no answer, status " & objStatus.StatusCode
        Else
            IsReachable = True
            If objStatus.ResponseTime > 1000 Then WScript.Echo strHost & ": slow answer"
        End If
    Next
End Function

For Each strHost In Array("127.0.0.1", "::1")
    If IsReachable(strHost) Then
        WScript.Echo strHost & " is reachable"
    Else
        WScript.Echo strHost & " is not reachable"
    End If
Next

' The answer names the address it came from, and the time-out the script asked for
Set colPings = objWMIService.ExecQuery _
    ("Select * From Win32_PingStatus Where Address = '127.0.0.1' And Timeout = 2000 And BufferSize = 16")
For Each objStatus In colPings
    WScript.Echo "From " & objStatus.ProtocolAddress & ", " & objStatus.ReplySize & " bytes, time-out " & objStatus.Timeout
    WScript.Echo "Hops left: " & (objStatus.ResponseTimeToLive > 0)
Next

' A query that names no address is refused rather than pinging anything
On Error Resume Next
Set colAll = objWMIService.ExecQuery("Select * From Win32_PingStatus")
WScript.Echo "Without an address: " & Hex(Err.Number)
