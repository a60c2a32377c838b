' Group membership report, written the way administrators write it: each group's members by
' ASSOCIATORS OF, checked against each account's groups by the object's own members
Option Explicit
Dim objWMIService, colGroups, objGroup, colMembers, objMember, colLinks, objLink
Dim intGroups, intPairs, intLinks, blnAgree, blnUsersOnly
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
Set colGroups = objWMIService.ExecQuery("Select * from Win32_Group Where LocalAccount = True")
blnAgree = True
blnUsersOnly = True
For Each objGroup In colGroups
    intGroups = intGroups + 1
    Set colMembers = objWMIService.ExecQuery("Associators of {Win32_Group.Domain='" & _
        objGroup.Domain & "',Name='" & objGroup.Name & "'} Where AssocClass = Win32_GroupUser Role = GroupComponent")
    For Each objMember In colMembers
        intPairs = intPairs + 1
        If objMember.Path_.Class <> "Win32_UserAccount" Then blnUsersOnly = False
        ' The member's own view of its groups names this one too.
        Dim blnFound : blnFound = False
        For Each objLink In objMember.References_("Win32_GroupUser")
            If objLink.GroupComponent = objGroup.Path_.Path Then blnFound = True
        Next
        If Not blnFound Then blnAgree = False
    Next
Next
intLinks = objWMIService.InstancesOf("Win32_GroupUser").Count
WScript.Echo "Groups listed: " & (intGroups > 0)
WScript.Echo "Every pairing found both ways: " & blnAgree
WScript.Echo "Pairings equal the association's instances: " & (intPairs = intLinks)
WScript.Echo "Members are user accounts: " & blnUsersOnly
