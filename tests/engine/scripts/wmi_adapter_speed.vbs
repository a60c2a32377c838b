' Link speed of the connected adapters, in Mbit/s, as a network check reports it
Set objShell = CreateObject("WScript.Shell")
Set objWMIService = GetObject("winmgmts:\\.\root\cimv2")

Function ShellOutput(strCommand)
    ShellOutput = Trim(Replace(objShell.Exec("sh -c """ & strCommand & """").StdOut.ReadAll, vbLf, ""))
End Function

blnAgree = True
intConnected = 0
For Each objAdapter In objWMIService.ExecQuery _
        ("Select Name, NetConnectionID, Speed, NetConnectionStatus from Win32_NetworkAdapter Where NetConnectionStatus = 2")
    intConnected = intConnected + 1
    strKernel = ShellOutput("cat /sys/class/net/" & objAdapter.NetConnectionID & "/speed 2>/dev/null")
    If IsNull(objAdapter.Speed) Then
        ' The kernel does not know the speed of every link (virtual ones, some drivers)
        If strKernel <> "" And strKernel <> "-1" And strKernel <> "0" Then blnAgree = False
    Else
        strLine = objAdapter.Name & ": " & (CDbl(objAdapter.Speed) / 1000000) & " Mbit/s"
        If CStr(CDbl(objAdapter.Speed) / 1000000) <> strKernel Then blnAgree = False
    End If
Next
WScript.Echo "Speeds as the kernel: " & blnAgree
intUp = CInt(ShellOutput("n=0; for a in /sys/class/net/*; do [ $(cat $a/type) = 772 ] && continue; " & _
    "s=$(cat $a/operstate); f=$(($(cat $a/flags) & 1)); c=$(cat $a/carrier 2>/dev/null); " & _
    "{ [ $s = up ] || { [ $s = unknown ] && [ $c = 1 ]; }; } && [ $f = 1 ] && n=$((n+1)); done; echo $n"))
WScript.Echo "Connected as the kernel: " & (intConnected = intUp)
