#pragma once

// The whole browser runtime interface in one include.

#include "browser/runtime/cef_app.h"
#include "browser/runtime/cef_browser.h"
#include "browser/runtime/cef_callbacks.h"
#include "browser/runtime/cef_client.h"
#include "browser/runtime/cef_command_line.h"
#include "browser/runtime/cef_cookie.h"
#include "browser/runtime/cef_exports.h"
#include "browser/runtime/cef_handlers.h"
#include "browser/runtime/cef_ref.h"
#include "browser/runtime/cef_string.h"
#include "browser/runtime/cef_task.h"
#include "browser/runtime/cef_types.h"
#include "browser/runtime/cef_v8.h"
#include "browser/runtime/cef_values.h"
