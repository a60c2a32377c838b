' Computer, processor and environment summary as an inventory script gathers it
Set objWMIService = GetObject("winmgmts:\\.\root\cimv2")
For Each objComputer In objWMIService.InstancesOf("Win32_ComputerSystem")
    WScript.Echo "Logical processors: " & (objComputer.NumberOfLogicalProcessors > 0)
    WScript.Echo "Memory: " & (CDbl(objComputer.TotalPhysicalMemory) > 0)
Next
intCores = 0
For Each objProcessor In objWMIService.ExecQuery("Select NumberOfLogicalProcessors from Win32_Processor")
    intCores = intCores + objProcessor.NumberOfLogicalProcessors
Next
WScript.Echo "Processors agree: " & (intCores = objComputer.NumberOfLogicalProcessors)
Set colVars = objWMIService.ExecQuery("Select * from Win32_Environment Where Name = 'PATH' And SystemVariable = False")
WScript.Echo "PATH found: " & (colVars.Count = 1)
