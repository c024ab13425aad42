/* The dispatch ids of every member of the ToolDeck type library, named
   DISPID_<interface>_<member>. MzDeck2.idl takes its [id(...)] attributes
   from here and the C and C++ code its ids, so each number is written once.
   The ids are fixed for good: compiled clients and saved forms bind to them.

   Plain #defines, so that widl can read the file too. A member that several
   interfaces share keeps one id, named after its first interface here;
   members with the platform's standard ids use the platform's names. */
#ifndef MZDECK2_DISPATCH_IDS_H
#define MZDECK2_DISPATCH_IDS_H

#ifdef __WIDL__
/* C and C++ take the standard ids from olectl.h, which widl cannot read. */
#define DISPID_BACKCOLOR (-501)
#define DISPID_FONT (-512)
#define DISPID_FORECOLOR (-513)
#define DISPID_ENABLED (-514)
#define DISPID_PICTURE (-523)
#define DISPID_REFRESH (-550)
#define DISPID_ABOUTBOX (-552)
#define DISPID_CLICK (-600)
#define DISPID_DBLCLICK (-601)
#define DISPID_MOUSEDOWN (-605)
#define DISPID_MOUSEMOVE (-606)
#define DISPID_MOUSEUP (-607)
#else
#include <olectl.h>
#endif

/* The control */
#define DISPID_IMzToolBarControl_ActiveColors            1045
#define DISPID_IMzToolBarControl_BackColor               DISPID_BACKCOLOR
#define DISPID_IMzToolBarControl_CustomizationStrings    1053
#define DISPID_IMzToolBarControl_DisplayContextMenu      1055
#define DISPID_IMzToolBarControl_Enabled                 DISPID_ENABLED
#define DISPID_IMzToolBarControl_Font                    DISPID_FONT
#define DISPID_IMzToolBarControl_FontSource              1056
#define DISPID_IMzToolBarControl_ForeColor               DISPID_FORECOLOR
#define DISPID_IMzToolBarControl_Style                   1133
#define DISPID_IMzToolBarControl_MenuAnimations          1057
#define DISPID_IMzToolBarControl_PersonalizedMenus       1127
#define DISPID_IMzToolBarControl_PictureBackground       56
#define DISPID_IMzToolBarControl_PictureBackgroundMaskColor 1036
#define DISPID_IMzToolBarControl_PictureBackgroundStyle  61
#define DISPID_IMzToolBarControl_PictureBackgroundUseMask 1037
#define DISPID_IMzToolBarControl_Redraw                  1009
#define DISPID_IMzToolBarControl_ShowShortcutsInToolTips 1058
#define DISPID_IMzToolBarControl_ShowToolTips            1059
#define DISPID_IMzToolBarControl_LargeIcons              1095
#define DISPID_IMzToolBarControl_TagVariant              39
#define DISPID_IMzToolBarControl_ToolBars                1060
#define DISPID_IMzToolBarControl_Tools                   1024
#define DISPID_IMzToolBarControl_ToolTipDelay            1061
#define DISPID_IMzToolBarControl_Visible                 1025
#define DISPID_IMzToolBarControl_AboutBox                DISPID_ABOUTBOX
#define DISPID_IMzToolBarControl_Customize               1062
#define DISPID_IMzToolBarControl_LoadConfigurationEx     1093
#define DISPID_IMzToolBarControl_LoadConfiguration       1065
#define DISPID_IMzToolBarControl_LoadLayout              1066
#define DISPID_IMzToolBarControl_PlaySoundFile           30
#define DISPID_IMzToolBarControl_PopupMenu               1067
#define DISPID_IMzToolBarControl_Refresh                 DISPID_REFRESH
#define DISPID_IMzToolBarControl_SaveConfiguration       1068
#define DISPID_IMzToolBarControl_SaveConfigurationEx     1094
#define DISPID_IMzToolBarControl_SaveLayout              1069
#define DISPID_IMzToolBarControl_ToolBarFromPosition     1070
#define DISPID_IMzToolBarControl_ToolFromPosition        1052
#define DISPID_IMzToolBarControl_WhereIs                 1041
#define DISPID_IMzToolBarControl_GetDockHeight           1122
#define DISPID_IMzToolBarControl_GetDockWidth            1123
#define DISPID_IMzToolBarControl_AttachWindow            1125
#define DISPID_IMzToolBarControl_ResetUsage              1131

/* The control's events */
#define DISPID_DMzToolBarsEvents_ToolClick               1071
#define DISPID_DMzToolBarsEvents_CtlClick                1118
#define DISPID_DMzToolBarsEvents_Click                   DISPID_CLICK
#define DISPID_DMzToolBarsEvents_ComboCloseUp            1072
#define DISPID_DMzToolBarsEvents_ComboDropDown           1073
#define DISPID_DMzToolBarsEvents_DblClick                DISPID_DBLCLICK
#define DISPID_DMzToolBarsEvents_MouseDown               DISPID_MOUSEDOWN
#define DISPID_DMzToolBarsEvents_MouseMove               DISPID_MOUSEMOVE
#define DISPID_DMzToolBarsEvents_MouseUp                 DISPID_MOUSEUP
#define DISPID_DMzToolBarsEvents_OnCustomize             1074
#define DISPID_DMzToolBarsEvents_ToolBarEnter            1075
#define DISPID_DMzToolBarsEvents_ToolBarExit             1076
#define DISPID_DMzToolBarsEvents_ToolBarModified         1077
#define DISPID_DMzToolBarsEvents_ToolChange              1078
#define DISPID_DMzToolBarsEvents_ToolDblClick            1079
#define DISPID_DMzToolBarsEvents_ToolDropDown            1080
#define DISPID_DMzToolBarsEvents_ToolEnter               1081
#define DISPID_DMzToolBarsEvents_ToolExit                1082
#define DISPID_DMzToolBarsEvents_ToolGotFocus            1083
#define DISPID_DMzToolBarsEvents_ToolKeyDown             1084
#define DISPID_DMzToolBarsEvents_ToolKeyPress            1085
#define DISPID_DMzToolBarsEvents_ToolKeyUp               1086
#define DISPID_DMzToolBarsEvents_ToolLostFocus           1087
#define DISPID_DMzToolBarsEvents_ToolCloseUp             1100
#define DISPID_DMzToolBarsEvents_IconSizeChanged         1120
#define DISPID_DMzToolBarsEvents_AfterCustomize          1121

/* A tool */
#define DISPID_IMzTool_AutoWrap                          1027
#define DISPID_IMzTool_Category                          1029
#define DISPID_IMzTool_ComboBox                          1030
#define DISPID_IMzTool_CtlWidth                          1116
#define DISPID_IMzTool_Customizable                      1126
#define DISPID_IMzTool_Description                       1031
#define DISPID_IMzTool_Edit                              1032
#define DISPID_IMzTool_Enabled                           DISPID_ENABLED
#define DISPID_IMzTool_ForeColor                         DISPID_FORECOLOR
#define DISPID_IMzTool_ForeColorSource                   1001
#define DISPID_IMzTool_Group                             1035
#define DISPID_IMzTool_GroupAllowAllUp                   1038
#define DISPID_IMzTool_Height                            1040
#define DISPID_IMzTool_ID                                1042
#define DISPID_IMzTool_Index                             1005
#define DISPID_IMzTool_Left                              1092
#define DISPID_IMzTool_Menu                              1043
#define DISPID_IMzTool_MenuVisibility                    1128
#define DISPID_IMzTool_Name                              1018
#define DISPID_IMzTool_PictureSize                       1088
#define DISPID_IMzTool_UseMaskColor                      1089
#define DISPID_IMzTool_Picture                           DISPID_PICTURE
#define DISPID_IMzTool_PictureBmp                        1096
#define DISPID_IMzTool_PictureDisabled                   28
#define DISPID_IMzTool_PictureDisabledBmp                1098
#define DISPID_IMzTool_PictureDown                       1044
#define DISPID_IMzTool_PictureDownBmp                    1097
#define DISPID_IMzTool_PictureDownDisabled               1046
#define DISPID_IMzTool_PictureDownDisabledBmp            1099
#define DISPID_IMzTool_RecentlyUsed                      1129
#define DISPID_IMzTool_Shortcut                          1047
#define DISPID_IMzTool_State                             1048
#define DISPID_IMzTool_DisplayStyle                      1090
#define DISPID_IMzTool_TagVariant                        DISPID_IMzToolBarControl_TagVariant
#define DISPID_IMzTool_ToolTipText                       1049
#define DISPID_IMzTool_Top                               1091
#define DISPID_IMzTool_Type                              1050
#define DISPID_IMzTool_Visible                           DISPID_IMzToolBarControl_Visible
#define DISPID_IMzTool_Width                             1051
#define DISPID_IMzTool_SetFocus                          1115
#define DISPID_IMzTool_ChangeAll                         1124

/* The tools of the control, of a toolbar or of a menu */
#define DISPID_IMzToolsCollection__NewEnum               DISPID_NEWENUM
#define DISPID_IMzToolsCollection_Add                    1034
#define DISPID_IMzToolsCollection_Count                  1033
#define DISPID_IMzToolsCollection_Clear                  1026
#define DISPID_IMzToolsCollection_Item                   DISPID_VALUE
#define DISPID_IMzToolsCollection_Remove                 1019

/* A toolbar */
#define DISPID_IMzToolBar_AllowCustomize                 1002
#define DISPID_IMzToolBar_AllowHiding                    1003
#define DISPID_IMzToolBar_CaptionAlignment               1028
#define DISPID_IMzToolBar_DisplayGrabHandles             1008
#define DISPID_IMzToolBar_DisplayMoreToolsButton         1130
#define DISPID_IMzToolBar_DockedColumn                   1010
#define DISPID_IMzToolBar_DockedRow                      1011
#define DISPID_IMzToolBar_DockedStatus                   1012
#define DISPID_IMzToolBar_DockFlags                      1013
#define DISPID_IMzToolBar_FloatingHeight                 1014
#define DISPID_IMzToolBar_FloatingLeft                   1015
#define DISPID_IMzToolBar_FloatingTop                    1016
#define DISPID_IMzToolBar_FloatingWidth                  1017
#define DISPID_IMzToolBar_Font3D                         9
#define DISPID_IMzToolBar_Name                           DISPID_IMzTool_Name
#define DISPID_IMzToolBar_Stock                          1020
#define DISPID_IMzToolBar_Style                          1021
#define DISPID_IMzToolBar_Tools                          DISPID_IMzToolBarControl_Tools
#define DISPID_IMzToolBar_Visible                        DISPID_IMzToolBarControl_Visible
#define DISPID_IMzToolBar_TagVariant                     DISPID_IMzToolBarControl_TagVariant
#define DISPID_IMzToolBar_Reset                          1119

/* The toolbars of the control */
#define DISPID_IMzToolBarsCollection__NewEnum            DISPID_NEWENUM
#define DISPID_IMzToolBarsCollection_Add                 DISPID_IMzToolsCollection_Add
#define DISPID_IMzToolBarsCollection_Count               DISPID_IMzToolsCollection_Count
#define DISPID_IMzToolBarsCollection_Clear               DISPID_IMzToolsCollection_Clear
#define DISPID_IMzToolBarsCollection_Item                DISPID_VALUE
#define DISPID_IMzToolBarsCollection_Remove              DISPID_IMzToolsCollection_Remove

/* A menu tool's tools */
#define DISPID_IMzMenu_Tools                             DISPID_IMzToolBarControl_Tools

/* A combo-box tool */
#define DISPID_IMzComboBox_ItemData                      1104
#define DISPID_IMzComboBox_List                          1105
#define DISPID_IMzComboBox_ListCount                     1106
#define DISPID_IMzComboBox_ListIndex                     1107
#define DISPID_IMzComboBox_Locked                        1108
#define DISPID_IMzComboBox_NewIndex                      1109
#define DISPID_IMzComboBox_Sorted                        1110
#define DISPID_IMzComboBox_Style                         1111
#define DISPID_IMzComboBox_Text                          1112
#define DISPID_IMzComboBox_AddItem                       1113
#define DISPID_IMzComboBox_Clear                         DISPID_IMzToolsCollection_Clear
#define DISPID_IMzComboBox_RemoveItem                    1114

/* An edit tool */
#define DISPID_IMzEdit_Locked                            1101
#define DISPID_IMzEdit_MaxLength                         1102
#define DISPID_IMzEdit_Text                              1103
#define DISPID_IMzEdit_PasswordChar                      1132

/* Values handed back from event handlers */
#define DISPID_IMzReturnBoolean_Value                    DISPID_VALUE
#define DISPID_IMzReturnShort_Value                      DISPID_VALUE
#define DISPID_IMzReturnLong_Value                       DISPID_VALUE

#endif
