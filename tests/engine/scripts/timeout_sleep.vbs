' host switches: //T:1
' A script that waits past its time is ended by the host
WScript.Echo "waiting"
WScript.Sleep 60000
WScript.Echo "never"
