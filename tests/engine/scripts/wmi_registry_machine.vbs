' Reading what the machine says about itself from HKLM with StdRegProv, checking each return
' value as administrators do, and cross-checking with the other ways scripts ask.
Option Explicit
Const HKEY_LOCAL_MACHINE = &H80000002
Dim oReg, intRet, strName, strProduct, arrKeys, objNetwork, objWMIService, objOS
Set oReg = GetObject("winmgmts:\\.\root\cimv2:StdRegProv")
intRet = oReg.GetStringValue(HKEY_LOCAL_MACHINE, _
    "SYSTEM\CurrentControlSet\Control\ComputerName\ComputerName", "ComputerName", strName)
WScript.Echo "Computer name read: " & (intRet = 0)
Set objNetwork = CreateObject("WScript.Network")
WScript.Echo "Same as the network's: " & (strName = objNetwork.ComputerName)
intRet = oReg.GetStringValue(HKEY_LOCAL_MACHINE, "SOFTWARE\Microsoft\Windows NT\CurrentVersion", "ProductName", strProduct)
WScript.Echo "Product name read: " & (intRet = 0 And Len(strProduct) > 0)
intRet = oReg.EnumKey(HKEY_LOCAL_MACHINE, "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall", arrKeys)
If intRet = 2 Then
    WScript.Echo "No uninstall key on this computer"
Else
    WScript.Echo "Uninstall key listed: " & (intRet = 0)
End If
intRet = oReg.GetStringValue(HKEY_LOCAL_MACHINE, "SOFTWARE\Microsoft\Windows NT\CurrentVersion", "NoSuchValue", strProduct)
WScript.Echo "Missing value: " & intRet & " " & IsNull(strProduct)
intRet = oReg.GetDWORDValue(HKEY_LOCAL_MACHINE, "SOFTWARE\Microsoft\Windows NT\CurrentVersion", "ProductName", strProduct)
WScript.Echo "Wrong type: " & Hex(intRet)
