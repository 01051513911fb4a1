#pragma once
// 工票预览 (placeholder, being written)
