' Drives the registered control the way a script host does: created by
' ProgID, tools and toolbars added through late binding, and a refused value
' reported through Err. Prints one result line: SMOKE OK or SMOKE FAILED.
Option Explicit
Dim control, tool, bar, failures, number, description
failures = ""

Sub Check(label, actual, expected)
  If CStr(actual) <> CStr(expected) Then failures = failures & " " & label & "=" & actual & "(expected " & expected & ")"
End Sub

Set control = CreateObject("ToolDeck.MzToolDeck")
Set tool = control.Tools.Add("ID_Open", 0)
tool.Name = "&Open"
control.Tools.Add "ID_mnuFile", 7
Set bar = control.ToolBars.Add()
bar.Tools.Add "ID_Open"
bar.Tools.Add "ID_Exit"
Check "toolbar name", bar.Name, "ToolBar1"
Check "tools", control.Tools.Count, 3
Check "placed", control.ToolBars(1).Tools.Count, 2
Check "by id", control.Tools("id_open").Name, "&Open"
Check "menu type", control.Tools("ID_mnuFile").Type, 7

On Error Resume Next
control.BackColor = &H1000000
number = Err.Number
description = Err.Description
Err.Clear
On Error GoTo 0
WScript.Echo "BackColor refused: Err.Number=" & number & " Err.Description=" & description
Check "Err.Number", number, 380
Check "Err.Description", description, "Invalid property value"

On Error Resume Next
control.Tools.Add "id_open"
number = Err.Number
description = Err.Description
Err.Clear
On Error GoTo 0
Check "duplicate Err.Number", number, 40009
Check "duplicate Err.Description", description, "Tool ID already exists"

If failures = "" Then
  WScript.Echo "SMOKE OK"
Else
  WScript.Echo "SMOKE FAILED:" & failures
End If
