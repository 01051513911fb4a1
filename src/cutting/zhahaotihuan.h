#pragma once
// 扎号替换 (placeholder, being written)
