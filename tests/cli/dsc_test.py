#!/usr/bin/python3
"""The DSC v3 resources and the recipes of docs/fleet.md, driven as the
engines drive them; and the two manifests checked against the schema DSC
itself validates them with.

  dsc_test.py manifests       the manifests against the manifest schema
  dsc_test.py wine CLI.exe    the resources and the recipes, under Wine, on
                              the test prefix's real keys (which it gives
                              back as they were: run it serially)
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
from urllib.parse import urldefrag

import jsonschema
import yaml

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SCHEMA = os.path.join(ROOT, "tests", "cli", "dsc-v3", "resource-manifest.schema.json")
MANIFESTS = [os.path.join(ROOT, "dsc", name) for name in sorted(os.listdir(os.path.join(ROOT, "dsc")))]
FLEET = os.path.join(ROOT, "docs", "fleet.md")
CLI = None


class Resolver(jsonschema.RefResolver):
    # jsonschema 4.10 (Debian 12) takes any "$id" key for an identifier, also
    # a property of that name, which the manifest schema declares; only text
    # identifiers are ones.
    def _find_in_subschemas(self, url):
        uri, fragment = urldefrag(url)
        for sub in self._get_subschemas_cache()["$id"]:
            if not isinstance(sub["$id"], str):
                continue
            if self._urljoin_cache(self.resolution_scope, sub["$id"]).rstrip("/") == uri.rstrip("/"):
                return url, self.resolve_fragment(sub, fragment) if fragment else sub
        return None


def load_json(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def validator(schema):
    # The published canonical-property schemas travel in the bundle's $defs.
    store = {k: v for k, v in load_json(SCHEMA)["$defs"].items()}
    return jsonschema.Draft202012Validator(schema, resolver=Resolver.from_schema(schema, store=store))


class ManifestTest(unittest.TestCase):
    def test_manifests_validate_and_a_broken_one_does_not(self):
        check = validator(load_json(SCHEMA))
        self.assertEqual(len(MANIFESTS), 2)
        for path in MANIFESTS:
            manifest = load_json(path)
            self.assertEqual([e.message for e in check.iter_errors(manifest)], [], path)
            manifest["schema"]["embedded"]["properties"]["_exist"] = {"type": "boolean"}
            self.assertTrue(list(check.iter_errors(manifest)), "a plain _exist must fail")


def fenced(name):
    """The code block of docs/fleet.md marked <!-- run: name -->."""
    with open(FLEET, encoding="utf-8") as f:
        found = re.search(r"<!-- run: %s -->\n```\w*\n(.*?)```" % re.escape(name), f.read(), re.S)
    assert found, name
    return found.group(1)


def tallowin_lines(block):
    """The arguments of each tallowin-cli.exe line, split as cmd and
    PowerShell split words in double quotes."""
    return [[a or b for a, b in re.findall(r'"([^"]*)"|(\S+)', line.split(" ", 1)[1])]
            for line in block.splitlines() if line.startswith("tallowin-cli.exe ")]


def winpath(path):
    return "Z:" + path.replace("/", "\\")


def wine(*args, stdin=None):
    run = subprocess.run([os.path.join(ROOT, "scripts", "wine-run"), *args], input=stdin, capture_output=True,
                         timeout=120, stdin=None if stdin is not None else subprocess.DEVNULL)
    return run.returncode, run.stdout.decode("utf-8"), run.stderr.decode("utf-8", "replace")


def cli(*args, stdin=None):
    return wine(CLI, *args, stdin=stdin)


def keys():
    code, out, _ = cli("list", "--json")
    assert code == 0
    return {(v["scope"], v["name"].upper()): (v["type"], v["data"]) for v in json.loads(out)}


def backups():
    """The automatic backups' names (the newest 30 are kept, so a new one
    shows as a new name, not always as one more)."""
    prefix = os.environ.get("TALLOWIN_WINEPREFIX", os.path.join(ROOT, "build", "win64", "wineprefix"))
    users = os.path.join(prefix, "drive_c", "users")
    folders = [os.path.join(root, "Tallowin", "Backups") for root, _, _ in os.walk(users)
               if root.endswith(os.path.join("AppData", "Local"))]
    return {os.path.join(f, name) for f in folders if os.path.isdir(f) for name in os.listdir(f)}


class WineTest(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.mkdtemp()
        self.saved = os.path.join(self.scratch, "saved.reg")
        self.assertEqual(cli("export", winpath(self.saved))[0], 0)
        self.manifests = {m["type"]: (m, validator(m["schema"]["embedded"])) for m in map(load_json, MANIFESTS)}

    def tearDown(self):
        self.assertEqual(cli("apply", winpath(self.saved), "--delete-missing", "--no-backup", "--no-broadcast")[0], 0)
        shutil.rmtree(self.scratch)

    def resource(self, type_name, operation, properties, stdin=None):
        """One operation as DSC runs it: the manifest's command line, the
        desired state on standard input; each output line checked."""
        manifest, check = self.manifests[type_name]
        command = manifest[operation]
        self.assertEqual(command["input"], "stdin")
        data = stdin if stdin is not None else json.dumps(properties).encode("utf-8")
        code, out, err = wine(CLI, *command["args"], stdin=data)
        for line in err.splitlines():
            self.assertEqual(set(json.loads(line)), {"level", "message"}, line)
        lines = [json.loads(line) for line in out.splitlines()]
        if code != 0:
            self.assertEqual((lines, err.count('"level":"error"') > 0), ([], True), err)
            return code, None, None
        self.assertEqual(len(lines), 1 if operation == "get" else 2, out)
        self.assertEqual([e.message for e in check.iter_errors(lines[0])], [])
        self.assertEqual(lines[0].get("_inDesiredState"), (not lines[1]) if operation == "test" else None)
        return code, lines[0], lines[1] if len(lines) > 1 else None

    def converge(self, type_name, desired):
        """test, set, test, set: the second set writes nothing at all."""
        self.assertEqual(self.resource(type_name, "test", desired)[1]["_inDesiredState"], False)
        old = backups()
        self.assertEqual(self.resource(type_name, "set", desired)[0], 0)
        made = backups()
        self.assertEqual(len(made - old), 1, "one backup before the write")
        self.assertEqual(self.resource(type_name, "test", desired)[1]["_inDesiredState"], True)
        before = keys()
        self.assertEqual(self.resource(type_name, "set", desired)[2], [])
        self.assertEqual((keys(), backups()), (before, made), "a set in the desired state writes nothing")

    def test_get_set_test_and_exist_false_for_both_resources(self):
        self.assertEqual(cli("set", "Path", "C:\\a;;C:\\b;", "--user", "--type", "REG_EXPAND_SZ", "--no-backup")[0], 0)
        cases = [("Tallowin.Environment/Variable",
                  {"scope": "User", "name": "TallowinDsc", "value": "%TEMP%\\\u65e5", "type": "REG_SZ"}),
                 ("Tallowin.Environment/PathItem", {"scope": "User", "item": "C:\\Dsc\\bin", "position": "first"})]
        for type_name, desired in cases:
            with self.subTest(type_name):
                self.assertEqual(self.resource(type_name, "get", desired)[1]["_exist"], False)
                self.converge(type_name, desired)
                self.assertEqual(self.resource(type_name, "get", desired)[1]["_exist"], True)
                self.converge(type_name, dict(desired, _exist=False))
                self.assertEqual(self.resource(type_name, "get", desired)[1]["_exist"], False)
        self.assertNotIn(("user", "TALLOWINDSC"), keys())
        self.assertEqual(keys()[("user", "PATH")], ("REG_EXPAND_SZ", "C:\\a;;C:\\b;"), "every other item kept")

    def test_refused_input_writes_nothing(self):
        variable = "Tallowin.Environment/Variable"
        cases = [b"{", b"[]", b'{"scope":"User","name":"A"} x', b"\xff{}", b'{"name":"TallowinDsc","value":"x"}',
                 b'{"scope":"Machine","name":"TallowinDsc","value":"x"}',
                 b'{"scope":"User","name":"TallowinDsc","valeu":"x"}',
                 b'{"scope":"User","name":"TallowinDsc","value":1}',
                 b'{"scope":"User","name":"TallowinDsc","type":"REG_DWORD"}',
                 b'{"scope":"User","name":"Tallowin=Dsc","value":"x"}',
                 b'{"scope":"User","name":"\\ud800","value":"x"}',
                 b'{"scope":"User","name":"TallowinDsc","value":"a\\u0000"}',
                 b'{"scope":"System","name":"path","_exist":false}',
                 b'{"scope":"User","name":"TallowinDsc"}']
        before, made = keys(), backups()
        for stdin in cases:
            with self.subTest(stdin):
                self.assertEqual(self.resource(variable, "set", None, stdin=stdin)[0], 4)
        self.assertEqual(self.resource("Tallowin.Environment/PathItem", "set", {"scope": "User", "item": "a;b"})[0], 4)
        self.assertEqual(cli("dsc", "variable", "apply", stdin=b"{}")[0], 2)
        self.assertEqual((keys(), backups()), (before, made))

    def test_fleet_recipes_run_as_written(self):
        # The DSC document: each instance to the resources as DSC sends it.
        system_path = [item for item in json.loads(cli("path", "list", "--system", "--json")[1])[0]["items"]]
        for instance in yaml.safe_load(fenced("dsc-document"))["resources"]:
            self.converge(instance["type"], instance["properties"])
        self.assertEqual(keys()[("system", "JAVA_HOME")], ("REG_SZ", "C:\\Program Files\\Java\\jdk-21"))
        items = json.loads(cli("path", "list", "--system", "--json")[1])[0]["items"]
        self.assertEqual(items, ["%JAVA_HOME%\\bin"] + system_path)

        # Intune: detection 1, remediation, detection 0; the Win32 app's
        # uninstall and install commands; its detection script's command.
        detect, remediate = (tallowin_lines(fenced(n))[0] for n in ("intune-detection", "intune-remediation"))
        install, uninstall = tallowin_lines(fenced("intune-win32-app"))
        steps = [(detect, 1), (remediate, 0), (detect, 0), (remediate, 0), (uninstall, 0), (detect, 1), (install, 0),
                 (tallowin_lines(fenced("intune-win32-detection"))[0], 0)]
        for args, code in steps:
            self.assertEqual(cli(*args)[0], code, args)

        # Group Policy: the script itself, by cmd.exe, beside the program and the file.
        script = os.path.join(self.scratch, "apply-environment.cmd")
        with open(script, "w", newline="\r\n") as f:
            f.write(fenced("gpo-startup-script"))
        with open(os.path.join(self.scratch, "environment.reg"), "wb") as f:
            f.write(b"\xff\xfe" + fenced("gpo-environment-reg").replace("\n", "\r\n").encode("utf-16-le"))
        shutil.copy(CLI, os.path.join(self.scratch, "tallowin-cli.exe"))
        for _ in range(2):
            self.assertEqual(wine("cmd.exe", "/c", winpath(script))[0], 0)
        self.assertEqual(keys()[("system", "ACME_LICENSE_SERVER")], ("REG_SZ", "license.example.com:27000"))

        # Ansible: changed on the first run only, as its changed_when reads the output.
        task = yaml.safe_load(fenced("ansible-task"))[0]
        command = task["ansible.windows.win_command"]
        self.assertEqual(task["changed_when"], "(acme_path.stdout_lines[1] | from_json) | length > 0")
        cli("path", "remove", "C:\\Program Files\\Acme\\bin", "--system")
        for changed in (True, False):
            code, out, _ = cli(*command["cmd"].split()[1:], stdin=command["stdin"].encode("utf-8"))
            self.assertEqual((code, len(json.loads(out.splitlines()[1])) > 0), (0, changed))


if __name__ == "__main__":
    which = sys.argv.pop(1)
    if which == "wine":
        CLI = sys.argv.pop(1)
    unittest.main(defaultTest="ManifestTest" if which == "manifests" else "WineTest")
