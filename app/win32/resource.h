// Resource numbers of the dialog, shared by the resource script and the code.
#pragma once

#define IDD_MAIN 101
#define IDI_TAMRIX 102

#define IDC_ITEM_NUMBER 1000
#define IDC_DESCRIPTION 1002
#define IDC_ITEM_NAME 1003
