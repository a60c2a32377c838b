#include "snippets/FirstSnippetLibrary.h"

#include <string>
#include <vector>

namespace quillet::snippets {
namespace {

struct SFirstSnippet {
  const char16_t* name;
  const char16_t* shortcut;
  const char16_t* code;  // lines end with LF here
};

struct SFirstFolder {
  const char16_t* name;
  std::vector<SFirstSnippet> snippets;
};

// Written for this program; the code uses LF and is stored with the editor's CR LF.
const std::vector<SFirstFolder> kFolders = {
    {u"Statements",
     {
         {u"If ... Then ... End If", u"if", u"If {condition} Then\n\t{statements}\nEnd If"},
         {u"If ... ElseIf ... Else", u"ifelse",
          u"If {condition} Then\n\t{statements}\nElseIf {condition2} "
          u"Then\n\t{statements2}\nElse\n\t{statements3}\nEnd If"},
         {u"Select Case", u"select",
          u"Select Case {expression}\n\tCase "
          u"{value1}\n\t\t{statements1}\n\tCase "
          u"{value2}\n\t\t{statements2}\n\tCase Else\n\t\t{statements}\nEnd "
          u"Select"},
         {u"For ... Next", u"for", u"For {i} = {first} To {last}\n\t{statements}\nNext"},
         {u"For ... Step ... Next", u"forstep",
          u"For {i} = {first} To {last} Step {step}\n\t{statements}\nNext"},
         {u"For Each ... Next", u"foreach",
          u"For Each {item} In {collection}\n\t{statements}\nNext"},
         {u"Do While ... Loop", u"dowhile", u"Do While {condition}\n\t{statements}\nLoop"},
         {u"Do Until ... Loop", u"dountil", u"Do Until {condition}\n\t{statements}\nLoop"},
         {u"Do ... Loop Until", u"doloop", u"Do\n\t{statements}\nLoop Until {condition}"},
         {u"While ... Wend", u"while", u"While {condition}\n\t{statements}\nWend"},
         {u"With ... End With", u"with", u"With {object}\n\t.{member}\nEnd With"},
     }},
    {u"Procedures and classes",
     {
         {u"Sub", u"sub", u"Sub {Name}({arguments})\n\t{statements}\nEnd Sub"},
         {u"Function", u"func",
          u"Function {Name}({arguments})\n\t{statements}\n\t{Name} = "
          u"{result}\nEnd Function"},
         {u"Class with properties", u"class",
          u"Class {ClassName}\n\tPrivate m_{field}\n\n\tPrivate Sub "
          u"Class_Initialize()\n\t\tm_{field} = {initial}\n\tEnd "
          u"Sub\n\n\tPrivate Sub Class_Terminate()\n\tEnd Sub\n\n\tPublic "
          u"Property Get {Property}()\n\t\t{Property} = m_{field}\n\tEnd "
          u"Property\n\n\tPublic Property Let "
          u"{Property}(vValue)\n\t\tm_{field} = vValue\n\tEnd Property\nEnd "
          u"Class"},
         {u"Property Get and Let", u"prop",
          u"Public Property Get {Property}()\n\t{Property} = m_{field}\nEnd "
          u"Property\n\nPublic Property Let {Property}(vValue)\n\tm_{field} = "
          u"vValue\nEnd Property"},
         {u"Property Set", u"propset",
          u"Public Property Set {Property}(objValue)\n\tSet m_{field} = "
          u"objValue\nEnd Property"},
     }},
    {u"Error handling",
     {
         {u"On Error Resume Next ... check Err", u"onerr",
          u"On Error Resume Next\n{statement}\nIf Err.Number <> 0 "
          u"Then\n\tWScript.Echo \"Error \" & Err.Number & \": \" & "
          u"Err.Description\n\tErr.Clear\nEnd If\nOn Error GoTo 0"},
         {u"Raise an error", u"raise",
          u"Err.Raise vbObjectError + {number}, {source}, {description}"},
     }},
    {u"Files and folders",
     {
         {u"Read a text file line by line", u"readfile",
          u"Dim objFSO, objFile, strLine\nSet objFSO = "
          u"CreateObject(\"Scripting.FileSystemObject\")\nSet objFile = "
          u"objFSO.OpenTextFile({path}, 1)\nDo Until "
          u"objFile.AtEndOfStream\n\tstrLine = "
          u"objFile.ReadLine\n\t{statements}\nLoop\nobjFile.Close"},
         {u"Write a text file", u"writefile",
          u"Dim objFSO, objFile\nSet objFSO = "
          u"CreateObject(\"Scripting.FileSystemObject\")\nSet objFile = "
          u"objFSO.CreateTextFile({path}, True)\nobjFile.WriteLine "
          u"{text}\nobjFile.Close"},
         {u"Append to a text file", u"appendfile",
          u"Dim objFSO, objFile\nSet objFSO = "
          u"CreateObject(\"Scripting.FileSystemObject\")\nSet objFile = "
          u"objFSO.OpenTextFile({path}, 8, True)\nobjFile.WriteLine "
          u"{text}\nobjFile.Close"},
         {u"Walk a folder tree", u"walk",
          u"Dim objFSO\nSet objFSO = "
          u"CreateObject(\"Scripting.FileSystemObject\")\nWalkFolder "
          u"objFSO.GetFolder({folder})\n\nSub WalkFolder(objFolder)\n\tDim "
          u"objFile, objSub\n\tFor Each objFile In "
          u"objFolder.Files\n\t\t{statements}\n\tNext\n\tFor Each objSub In "
          u"objFolder.SubFolders\n\t\tWalkFolder objSub\n\tNext\nEnd Sub"},
         {u"Make sure a folder exists", u"mkdir",
          u"If Not objFSO.FolderExists({folder}) Then objFSO.CreateFolder "
          u"{folder}"},
     }},
    {u"Programs and the system",
     {
         {u"Run a program and read its output", u"exec",
          u"Dim objShell, objExec\nSet objShell = "
          u"CreateObject(\"WScript.Shell\")\nSet objExec = "
          u"objShell.Exec({command})\nDo Until "
          u"objExec.StdOut.AtEndOfStream\n\tWScript.Echo "
          u"objExec.StdOut.ReadLine\nLoop"},
         {u"Run a program and wait", u"run",
          u"Dim objShell, intExitCode\nSet objShell = "
          u"CreateObject(\"WScript.Shell\")\nintExitCode = "
          u"objShell.Run({command}, 0, True)"},
         {u"Read a registry value", u"regread",
          u"Dim objShell, vValue\nSet objShell = "
          u"CreateObject(\"WScript.Shell\")\nOn Error Resume Next\nvValue = "
          u"objShell.RegRead({key})\nIf Err.Number <> 0 Then vValue = "
          u"{default}\nOn Error GoTo 0"},
         {u"Write a registry value", u"regwrite",
          u"Dim objShell\nSet objShell = "
          u"CreateObject(\"WScript.Shell\")\nobjShell.RegWrite {key}, {value}, "
          u"\"REG_SZ\""},
         {u"WMI query", u"wmi",
          u"Dim objWMI, colItems, objItem\nSet objWMI = "
          u"GetObject(\"winmgmts:{impersonationLevel=impersonate}!\\\\."
          u"\\root\\cimv2\")\nSet colItems = objWMI.ExecQuery(\"SELECT * FROM "
          u"\" & {WmiClass})\nFor Each objItem In colItems\n\tWScript.Echo "
          u"objItem.{Property}\nNext"},
         {u"Command-line arguments", u"args",
          u"Dim objArgs, i\nSet objArgs = WScript.Arguments\nIf objArgs.Count "
          u"< {count} Then\n\tWScript.Echo \"Usage: \" & WScript.ScriptName & "
          u"\" \" & {usage}\n\tWScript.Quit 1\nEnd If\nFor i = 0 To "
          u"objArgs.Count - 1\n\t{statements}\nNext"},
         {u"Environment variable", u"env",
          u"CreateObject(\"WScript.Shell\").ExpandEnvironmentStrings({text})"},
     }},
    {u"Text and data",
     {
         {u"Dictionary", u"dict",
          u"Dim objDict, strKey\nSet objDict = "
          u"CreateObject(\"Scripting.Dictionary\")\nobjDict.CompareMode = "
          u"vbTextCompare\nobjDict.Add {key}, {value}\nFor Each strKey In "
          u"objDict.Keys\n\tWScript.Echo strKey & \" = \" & "
          u"objDict(strKey)\nNext"},
         {u"Regular expression match loop", u"regexp",
          u"Dim objRegExp, objMatch\nSet objRegExp = New "
          u"RegExp\nobjRegExp.Pattern = {pattern}\nobjRegExp.Global = "
          u"True\nobjRegExp.IgnoreCase = True\nFor Each objMatch In "
          u"objRegExp.Execute({text})\n\tWScript.Echo objMatch.Value\nNext"},
         {u"Regular expression replace", u"replace",
          u"Dim objRegExp\nSet objRegExp = New RegExp\nobjRegExp.Pattern = "
          u"{pattern}\nobjRegExp.Global = True\n{result} = "
          u"objRegExp.Replace({text}, {replacement})"},
         {u"Split a line into fields", u"split",
          u"Dim arrFields\narrFields = Split({line}, {separator})\nIf "
          u"UBound(arrFields) >= {lastIndex} Then\n\t{statements}\nEnd If"},
     }},
};

std::u16string WithCrLf(std::u16string_view code) {
  std::u16string result;
  for (const char16_t c : code) {
    if (c == u'\n') result += u'\r';
    result += c;
  }
  return result;
}

}  // namespace

CSnippetFolder FirstSnippetLibrary() {
  CSnippetFolder root;
  for (const SFirstFolder& folder : kFolders) {
    CSnippetFolder& target = root.AddFolder(folder.name);
    for (const SFirstSnippet& snippet : folder.snippets) {
      target.AddSnippet({snippet.name, snippet.shortcut, WithCrLf(snippet.code)});
    }
  }
  return root;
}

}  // namespace quillet::snippets
