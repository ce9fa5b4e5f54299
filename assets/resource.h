/* Resource identifiers of VelmPres.exe, shared by VelmPres.rc and the program's code. */
#ifndef VELM_RESOURCE_H
#define VELM_RESOURCE_H

#define IDI_APP 1
#define IDR_BACKGROUND_JPEG 101
#define IDB_LOGO 102
#define IDB_RULE 103
#define IDB_INSTALL_ICON 104
#define IDB_CLOSE_GLYPH 105
#define IDB_EDIT_PICTURE 106
#define IDB_INSTALL_PICTURE 107
#define IDB_OK_GLYPH 108
#define IDB_NO_GLYPH 109
#define IDB_CANCEL_GLYPH 110
#define IDC_HAND_CURSOR 111

#endif
