"""orvik-frame list and check with --format json, read back by Python's own JSON parser: every
line one object, the same folders, frames and counts as the text output, and every path,
whatever bytes its names hold, given back byte for byte by os.fsencode.

Run by CTest with ORVIK_FRAME and ORVIK_MKREC naming the programs."""
import json
import os
import shutil
import subprocess
import tempfile
import unittest

FRAME = os.environ.get("ORVIK_FRAME", "orvik-frame")
MKREC = os.environ.get("ORVIK_MKREC", "orvik-mkrec")

# Bytes a name can hold that JSON text cannot hold as they are: a quote, a backslash,
# control bytes, a Latin-1 byte, a surrogate written in UTF-8, and valid UTF-8 beside them.
ODD = b' "q" \\ \x01\x1f\n\x7f\xe9\xed\xa0\x80 \xc3\xa9t\xc3\xa9'


def run(*arguments, env=None):
    done = subprocess.run([FRAME, *arguments], capture_output=True, env=env, timeout=120)
    return done.returncode, done.stdout, done.stderr


def json_lines(out):
    """Every line of out parsed on its own; the parser is strict about control characters."""
    lines = out.split(b"\n")
    assert lines[-1] == b"", "output ends with a line end"
    return [json.loads(line) for line in lines[:-1]]


class JsonLinesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="orvik-json-")
        cls.root = os.path.join(cls.folder, "rec").encode()
        subprocess.run([MKREC, "--output", cls.root, "--folders", "2", "--seconds", "2",
                        "--rate", "2", "--width", "32", "--height", "16"], check=True,
                       capture_output=True, timeout=120)
        first = os.path.join(cls.root, b"24061509")
        cls.odd_folder = os.path.join(cls.root, b"24061511" + ODD)
        os.mkdir(cls.odd_folder)
        cls.odd_frame = os.path.join(cls.odd_folder, b"CAM111000000" + ODD + b".JPG")
        shutil.copy(os.path.join(first, b"CAM109000000.JPG"), cls.odd_frame)
        cls.damaged = os.path.join(first, b"CAM109000050.JPG")
        with open(cls.damaged, "r+b") as f:
            f.seek(-1, os.SEEK_END)
            f.write(b"\xd8")  # the end marker made a start marker
        cls.env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(cls.folder, "config"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder)

    def test_list_gives_each_folder_with_its_fields_and_a_summary(self):
        code, out, _ = run("list", "--format", "json", self.root, env=self.env)
        text_code, text, _ = run("list", self.root, env=self.env)
        objects = json_lines(out)
        self.assertEqual(code, text_code)
        self.assertEqual([o["type"] for o in objects], ["folder"] * 3 + ["summary"])
        folders = objects[:3]
        # The names and marks of the text output, in its order; the odd name's own line
        # breaks, so the text's last line is taken from the end.
        text_lines = text.split(b"\n")
        for line, folder in zip(text_lines[:2], folders):
            self.assertEqual(line[:12], b"  " + os.fsencode(folder["name"]) + b"  ")
        self.assertEqual(text_lines[-2], b"3 folders, 9 frames")
        self.assertEqual([f["current"] for f in folders], [False, False, True])
        self.assertEqual(os.fsencode(folders[2]["path"]), self.odd_folder)
        self.assertEqual(os.fsencode(folders[2]["name"]), b"24061511" + ODD)
        self.assertEqual(folders[0]["date"], "2024/06/15")
        self.assertEqual((folders[0]["first"], folders[0]["last"]), ("09:00:00.00", "09:00:01.50"))
        self.assertEqual([f["frames"] for f in folders], [4, 4, 1])
        self.assertEqual(folders[0]["gaps"], [])
        summary = objects[-1]
        self.assertEqual((summary["folders"], summary["frames"], summary["reports"],
                          summary["exit"]), (3, 9, 0, 0))

    def test_check_gives_each_refused_frame_and_the_counts(self):
        code, out, _ = run("check", "--format", "json", "--jobs", "2", self.root, env=self.env)
        objects = json_lines(out)
        self.assertEqual(code, 1)
        self.assertEqual([o["type"] for o in objects], ["refused", "summary"])
        self.assertEqual(os.fsencode(objects[0]["path"]), self.damaged)
        self.assertTrue(objects[0]["reason"])
        summary = objects[-1]
        self.assertEqual((summary["frames"], summary["refused"], summary["reports"],
                          summary["exit"]), (9, 1, 0, 1))
        self.assertGreaterEqual(summary["seconds"], summary["decoding_seconds"])
        self.assertGreater(summary["decoding_frames_per_second"], 0)
        # The counts the text output gives.
        _, text, _ = run("check", self.root, env=self.env)
        self.assertTrue(text.split(b"\n")[-2].startswith(b"9 frames, 1 refused, "), text)

    def test_the_odd_names_are_read_by_the_paths_json_gives(self):
        code, out, _ = run("check", "--format", "json", self.odd_folder, env=self.env)
        summary = json_lines(out)[-1]
        self.assertEqual((code, summary["frames"], summary["refused"]), (0, 1, 0))
        self.assertEqual([os.fsencode(p) for p in summary["paths"]], [self.odd_folder])
        # A range asks for the odd folder's frame alone.
        code, out, _ = run("check", "--format", "json", "--from", "2024/06/15 11:00:00",
                           self.root, env=self.env)
        self.assertEqual((code, json_lines(out)[-1]["frames"]), (0, 1))

    def test_a_path_that_is_no_folder_and_the_scans_reports_are_objects_too(self):
        missing = os.path.join(self.root, b"missing")
        code, out, err = run("list", "--format", "json", missing, env=self.env)
        objects = json_lines(out)
        self.assertEqual(code, 1)
        self.assertEqual([o["type"] for o in objects], ["error", "summary"])
        self.assertEqual(os.fsencode(objects[0]["path"]), missing)
        self.assertEqual(objects[0]["reason"], "not a folder")
        self.assertIn(b"not a folder", err)
        self.assertEqual(objects[1]["exit"], 1)

        # A root whose path leaves no room for a date folder's name in a path buffer (4095
        # bytes): the scan cannot list that folder and reports it.
        deep = self.folder.encode()
        while len(deep) < 4088:
            length = min(200, 4088 - len(deep) - 1)
            if 4088 - len(deep) - 1 - length == 1:
                length -= 1  # a rest of one byte would leave no room for a name after "/"
            deep = os.path.join(deep, b"d" * length)
            os.mkdir(deep)
        fd = os.open(deep, os.O_RDONLY | os.O_DIRECTORY)
        try:
            os.mkdir(b"24010110", dir_fd=fd)
            code, out, _ = run("list", "--format", "json", deep, env=self.env)
        finally:
            os.rmdir(b"24010110", dir_fd=fd)
            os.close(fd)
        objects = json_lines(out)
        self.assertEqual([o["type"] for o in objects], ["report", "summary"])
        self.assertEqual((objects[0]["what"], objects[0]["code"]), ("File List is Empty", 2))
        self.assertEqual(objects[1]["reports"], 1)
        self.assertEqual(code, 1)


if __name__ == "__main__":
    unittest.main()
