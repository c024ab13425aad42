/* Identifiers of the control's string table, shared by MzDeck2.rc and the
   code. Plain #defines so that the resource compiler can read them too. */
#ifndef MZDECK2_STRING_IDS_H
#define MZDECK2_STRING_IDS_H

/* Error descriptions */
#define IDS_INVALID_INDEX 1007
#define IDS_ERROR_RENAMING_TOOLBAR 1028
#define IDS_NOT_A_MENU 3000
#define IDS_ONLY_ONE_MENU_BAR 3001
#define IDS_INVALID_NAME 3002
#define IDS_DUPLICATE_ID 3003
#define IDS_SHORTCUT_IN_USE 3004
#define IDS_INSIDE_EVENT 3006
#define IDS_ONE_CONTROL_PER_FORM 3008
#define IDS_ONE_CONTROL_PER_FORM_CAPTION 3009
#define IDS_INVALID_DOCK 3010
#define IDS_NOT_A_PLACED_PROPERTY 3011
#define IDS_MENU_ALREADY_OPEN 3012
#define IDS_OUT_OF_MEMORY 10007
#define IDS_CANNOT_PERFORM 10017
#define IDS_INVALID_PROPERTY_VALUE 10380
#define IDS_PROPERTY_READ_ONLY 10500
#define IDS_UNAVAILABLE_AT_DESIGN_TIME 10501

/* The about box and its texts */
#define IDD_ABOUT 100
#define IDC_ABOUT_NAME 101
#define IDC_ABOUT_VERSION 102

/* Customization strings: entry i is IDS_CUSTOMIZATION_FIRST + i */
#define IDS_CUSTOMIZATION_FIRST 2000

#endif
