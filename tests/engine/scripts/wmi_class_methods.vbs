' Class browser, written the way administrators write it: the methods of a class with their
' parameters and the key properties with their qualifiers, straight from the class definition
Option Explicit
Dim objWMIService, objClass, objMethod, objParam, objProperty, objQualifier, strLine, arrBases
Set objWMIService = GetObject("winmgmts:\\.\root\cimv2")
Set objClass = objWMIService.Get("Win32_Process")
arrBases = objClass.Derivation_
WScript.Echo "Class: " & objClass.Path_.Class & " (derived from " & Join(arrBases, ", ") & ")"
For Each objMethod In objClass.Methods_
    strLine = "  " & objMethod.Name & "("
    If Not objMethod.InParameters Is Nothing Then
        For Each objParam In objMethod.InParameters.Properties_
            strLine = strLine & " [in] " & objParam.Name
        Next
    End If
    For Each objParam In objMethod.OutParameters.Properties_
        If objParam.Name <> "ReturnValue" Then strLine = strLine & " [out] " & objParam.Name
    Next
    WScript.Echo strLine & " )"
Next
For Each objProperty In objClass.Properties_
    For Each objQualifier In objProperty.Qualifiers_
        If LCase(objQualifier.Name) = "key" Then
            WScript.Echo "  Key: " & objProperty.Name & " as " & objProperty.Qualifiers_("CIMTYPE").Value
        End If
    Next
Next
