' Printer list with the default printer marked, as a help-desk script gathers it
Set objWMIService = GetObject("winmgmts:\\.\root\cimv2")
Set colPrinters = objWMIService.ExecQuery("Select * from Win32_Printer")
intDefaults = 0
blnNamed = True
For Each objPrinter In colPrinters
    strLine = objPrinter.Name & " on " & objPrinter.PortName
    If objPrinter.Default Then intDefaults = intDefaults + 1 : strLine = strLine & " (default)"
    If objPrinter.DeviceID <> objPrinter.Name Or Len(objPrinter.PortName) = 0 Then blnNamed = False
    If objPrinter.Network = objPrinter.Local Then blnNamed = False
Next
WScript.Echo "At most one default: " & (intDefaults <= 1)
WScript.Echo "Printers named with their ports: " & blnNamed

' WScript.Network lists the same printers, as port and name pairs
Set objNetwork = CreateObject("WScript.Network")
Set colConnections = objNetwork.EnumPrinterConnections
WScript.Echo "Same printers as WScript.Network: " & (colConnections.Count = 2 * colPrinters.Count)
For i = 0 To colConnections.Count - 1 Step 2
    Set colNamed = objWMIService.ExecQuery("Select * from Win32_Printer Where Name = '" & colConnections.Item(i + 1) & "'")
    If colNamed.Count <> 1 Then WScript.Echo "Missing: " & colConnections.Item(i + 1)
Next
