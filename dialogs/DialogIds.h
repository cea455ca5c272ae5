// Control and command numbers of the dialog templates, shared by the templates, the forms and their tests.
#pragma once

// Settings form and its pages.
#define IDC_PLBANNER 1001
#define IDC_PCMAIN 1002
#define IDC_CMBSCREEN 1010
#define IDC_LBSCREENMODE 1011
#define IDC_CMBSCREENMODE 1012
#define IDC_CKBANY 1013
#define IDC_CKBMOUSEMOVE 1014
#define IDC_CKBMOUSELEFTCLICK 1015
#define IDC_CKBMOUSERIGHTCLICK 1016
#define IDC_CKBMOUSEDBLCLICK 1017
#define IDC_CKBESC 1018
#define IDC_CKBENTER 1019
#define IDC_CKBSPECIFIEDKEY 1020
#define IDC_EDTKEY 1021
#define IDC_TBTHRESHOLD 1022
#define IDC_CKBMUTE 1023
#define IDC_CKBMAXTIME 1024
#define IDC_EDTMAXTIME 1025
#define IDC_CKBEFFECT 1030
#define IDC_CKBEFFECTS 1031
#define IDC_BTNSELECTALL 1032
#define IDC_BTNTOGGLE 1033
#define IDC_CKBRANDOM 1034
#define IDC_LBAUTHOR 1040
#define IDC_LBHOME 1041
#define IDC_LBEMAIL 1042
#define IDC_MEMPROJECTDESC 1043

// The settings form's menu.
#define ID_SAVE1 2001
#define ID_EXIT1 2002
#define ID_VISITWEBSITE1 2003
#define ID_ABOUT1 2004

// About box; its OK button is IDOK.
#define IDC_PANEL1 3001
#define IDC_IMG 3002
#define IDC_LBPRODUCT 3003
#define IDC_LBVERSION 3004
#define IDC_LBCOPYRIGHT 3005
#define IDC_BEVEL1 3006
#define IDC_LABEL4 3007
#define IDC_LBMEORY 3008
