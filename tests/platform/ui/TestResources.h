#pragma once

#include "platform/core/ResourceModule.h"

// The resources of the window layer's tests.
constexpr unsigned IDD_TEST = 200;
constexpr unsigned IDD_TEST_NO_SYSMENU = 201;
constexpr unsigned IDR_TEST_MENU = 300;
constexpr unsigned IDS_TEST = 400;
constexpr unsigned IDI_TEST = 500;

constexpr int IDC_TEST_EDIT = 1100;
constexpr int IDC_TEST_PASSWORD = 1101;
constexpr int IDC_TEST_COMBO = 1102;
constexpr int IDC_TEST_LIST = 1103;
constexpr int IDC_TEST_ACTION = 1104;

constexpr unsigned ID_TEST_FIRST = 40001;
constexpr unsigned ID_TEST_SECOND = 40002;

// The module that holds them; the tests' application object installs it.
extern const AFX_RESOURCE_MODULE kTestResources;
