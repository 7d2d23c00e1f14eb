"""The layering checker on small made-up trees: what it lets through and what it catches."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))
import check_layering  # noqa: E402
from check_layering import Target  # noqa: E402

# decoder below library below shell; two programs share tools/frame, one of them exports.
TARGETS = {
    "orvik_decoder": Target("decoder", [], ["decoder/bits.cpp"]),
    "orvik_library": Target("library", ["orvik_decoder"], ["library/scan.cpp"]),
    "orvik_export": Target("export", ["orvik_library"], []),
    "orvik_shell": Target("shell", ["orvik_library"], ["shell/window.cpp"]),
    "orvik_dialog": Target("shell/dialog", [], []),
    "orvik-frame": Target("tools/frame", ["orvik_library"], ["tools/frame/main.cpp"]),
    "orvik-frame-export": Target("tools/frame", ["orvik_export"], ["tools/frame/export.cpp"]),
    "library_tests": Target("tests/library", ["orvik_library"], ["tests/library/t.cpp"]),
}

HEADERS = {"decoder/bits.h": "", "library/scan.h": "", "export/clip.h": "",
           "shell/window.h": "", "shell/dialog/controls.h": "",
           "tools/frame/options.h": '#include "library/scan.h"\n'}


def problems_in(files):
    """The checker's findings over a tree holding HEADERS, the targets' sources (empty) and
    files ({path: text})."""
    sources = {source: "" for target in TARGETS.values() for source in target.sources}
    with tempfile.TemporaryDirectory() as root:
        for path, text in {**HEADERS, **sources, **files}.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w") as f:
                f.write(text)
        return check_layering.problems(root, TARGETS)


class CheckLayeringTest(unittest.TestCase):
    def test_includes_down_the_dependencies_pass(self):
        self.assertEqual(problems_in({
            "library/scan.cpp": '#include "library/scan.h"\n#include "decoder/bits.h"\n',
            "shell/window.cpp": '#include "decoder/bits.h"\n#include <QWidget>\n',
            "tools/frame/main.cpp": '#include "tools/frame/options.h"\n',
            "tools/frame/export.cpp": '#include "tools/frame/options.h"\n#include "export/clip.h"\n',
            "tests/library/t.cpp": '#include "library/scan.h"\n#include "generated.h"\n'}), [])

    def test_wrong_includes_are_caught(self):
        cases = {
            "up a layer": ("library/scan.cpp", '#include "shell/window.h"\n'),
            "a sibling not depended on": ("shell/window.cpp", '#include "shell/dialog/controls.h"\n'),
            "Qt in the core": ("decoder/bits.cpp", "#include <QImage>\n"),
            "a test reaching past its target": ("tests/library/t.cpp", '#include "shell/window.h"\n'),
            "a header only one program of the folder may use":
                ("tools/frame/options.h", '#include "export/clip.h"\n'),
        }
        for name, (path, text) in cases.items():
            with self.subTest(name):
                sources = {"tools/frame/main.cpp": '#include "tools/frame/options.h"\n'}
                found = problems_in({**sources, path: text})
                self.assertEqual(len(found), 1, found)
                self.assertTrue(found[0].startswith(path + ":1:"), found[0])


if __name__ == "__main__":
    unittest.main()
