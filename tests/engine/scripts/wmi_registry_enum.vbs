' Registry enumeration with StdRegProv, as administrators write it: make a key, then list its
' subkeys and its values by type, and read each value back with the method of its type.
Option Explicit
Const HKEY_CURRENT_USER = &H80000001
Const REG_SZ = 1, REG_EXPAND_SZ = 2, REG_BINARY = 3, REG_DWORD = 4, REG_MULTI_SZ = 7, REG_QWORD = 11
Dim oReg, strKeyPath, arrSubKeys, subkey, arrValueNames, arrValueTypes, i, strValue, dwValue, arrValue
Dim strLine, b, objShell
Set oReg = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\default:StdRegProv")
strKeyPath = "Software\Quillet Tests\Enumeration"
oReg.CreateKey HKEY_CURRENT_USER, strKeyPath & "\First"
oReg.CreateKey HKEY_CURRENT_USER, strKeyPath & "\Second"
oReg.SetStringValue HKEY_CURRENT_USER, strKeyPath, "Owner", "Operations"
oReg.SetExpandedStringValue HKEY_CURRENT_USER, strKeyPath, "LogFolder", "%QUILLET_NOT_SET%\logs"
oReg.SetDWORDValue HKEY_CURRENT_USER, strKeyPath, "Retries", 3
oReg.SetQWORDValue HKEY_CURRENT_USER, strKeyPath, "Limit", "5000000000"
oReg.SetMultiStringValue HKEY_CURRENT_USER, strKeyPath, "Servers", Array("alpha", "beta")
oReg.SetBinaryValue HKEY_CURRENT_USER, strKeyPath, "Flags", Array(1, 2, 254)

oReg.EnumKey HKEY_CURRENT_USER, strKeyPath, arrSubKeys
For Each subkey In arrSubKeys
    WScript.Echo "Subkey: " & subkey
Next

oReg.EnumValues HKEY_CURRENT_USER, strKeyPath, arrValueNames, arrValueTypes
For i = 0 To UBound(arrValueNames)
    strLine = arrValueNames(i) & " = "
    Select Case arrValueTypes(i)
        Case REG_SZ
            oReg.GetStringValue HKEY_CURRENT_USER, strKeyPath, arrValueNames(i), strValue
            strLine = strLine & strValue & " (REG_SZ)"
        Case REG_EXPAND_SZ
            oReg.GetExpandedStringValue HKEY_CURRENT_USER, strKeyPath, arrValueNames(i), strValue
            strLine = strLine & strValue & " (REG_EXPAND_SZ)"
        Case REG_DWORD
            oReg.GetDWORDValue HKEY_CURRENT_USER, strKeyPath, arrValueNames(i), dwValue
            strLine = strLine & dwValue & " (REG_DWORD)"
        Case REG_QWORD
            oReg.GetQWORDValue HKEY_CURRENT_USER, strKeyPath, arrValueNames(i), dwValue
            strLine = strLine & dwValue & " (REG_QWORD)"
        Case REG_MULTI_SZ
            oReg.GetMultiStringValue HKEY_CURRENT_USER, strKeyPath, arrValueNames(i), arrValue
            strLine = strLine & Join(arrValue, ", ") & " (REG_MULTI_SZ)"
        Case REG_BINARY
            oReg.GetBinaryValue HKEY_CURRENT_USER, strKeyPath, arrValueNames(i), arrValue
            For Each b In arrValue : strLine = strLine & Hex(b) & " " : Next
            strLine = strLine & "(REG_BINARY)"
    End Select
    WScript.Echo strLine
Next

' The same registry as the shell's.
Set objShell = CreateObject("WScript.Shell")
WScript.Echo "Shell reads the owner: " & objShell.RegRead("HKCU\" & strKeyPath & "\Owner")
objShell.RegWrite "HKCU\" & strKeyPath & "\Second\Note", "from the shell"
oReg.GetStringValue HKEY_CURRENT_USER, strKeyPath & "\Second", "Note", strValue
WScript.Echo "Provider reads the note: " & strValue
oReg.EnumKey HKEY_CURRENT_USER, strKeyPath & "\First", arrSubKeys
WScript.Echo "A key without subkeys gives Null: " & IsNull(arrSubKeys)
