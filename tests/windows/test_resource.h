#pragma once
#define IDD_LAYER_TEST   900
#define IDC_TEST_EDIT    901
#define IDC_TEST_BUTTON  902
#define IDP_TEST_NOT_PNG 903
