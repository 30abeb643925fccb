"""Builds the moonfold Python package for `pip install .` from the source
tree: a wheel of the module with libmoonfold.so.1 beside it, the library
built by CMake from the same tree, so that the installed module needs
nothing else.  A PEP 517 backend with no requirements of its own, so that
pip installs it without reaching a package index.

config_settings: library=PATH takes an already built libmoonfold.so.1
instead of building one."""

import base64
import hashlib
import os
import re
import shutil
import subprocess
import sysconfig
import tarfile
import tempfile
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MODULE = os.path.join(ROOT, 'python', 'moonfold')
HEADER = os.path.join(ROOT, 'api', 'include', 'moonfold', 'moonfold.h')


def _version():
    """The library's version, as its public header declares it."""
    with open(HEADER, encoding='utf-8') as f:
        parts = dict(re.findall(r'^#define MOONFOLD_VERSION_(MAJOR|MINOR|PATCH) (\d+)$', f.read(), re.M))
    return f"{parts['MAJOR']}.{parts['MINOR']}.{parts['PATCH']}"


def _metadata():
    return (f'Metadata-Version: 2.1\nName: moonfold\nVersion: {_version()}\n'
            'Summary: The traditional Chinese calendar: lunar dates, solar terms, festivals, '
            'official days off\nLicense: MIT\nRequires-Python: >=3.8\n')


def _tag():
    return 'py3-none-' + re.sub(r'[-.]', '_', sysconfig.get_platform())


def _dist_info():
    return f'moonfold-{_version()}.dist-info'


def get_requires_for_build_wheel(config_settings=None):
    return []


def get_requires_for_build_sdist(config_settings=None):
    return []


def prepare_metadata_for_build_wheel(metadata_directory, config_settings=None):
    folder = os.path.join(metadata_directory, _dist_info())
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, 'METADATA'), 'w', encoding='utf-8') as f:
        f.write(_metadata())
    return _dist_info()


def _build_library(scratch):
    """libmoonfold.so.1 built from the tree, the library alone."""
    build = os.path.join(scratch, 'build')
    generator = ['-G', 'Ninja'] if shutil.which('ninja') else []
    subprocess.run(['cmake', '-S', ROOT, '-B', build, *generator, '-DCMAKE_BUILD_TYPE=Release',
                    '-DBUILD_TESTING=OFF', '-DMOONFOLD_PLUGIN=OFF', '-DMOONFOLD_BENCH=OFF'],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(['cmake', '--build', build, '--target', 'moonfold_shared'], check=True,
                   stdout=subprocess.DEVNULL)
    return os.path.join(build, 'libmoonfold.so.1')


def _record_line(name, data):
    digest = base64.urlsafe_b64encode(hashlib.sha256(data).digest()).rstrip(b'=').decode()
    return f'{name},sha256={digest},{len(data)}'


def build_wheel(wheel_directory, config_settings=None, metadata_directory=None):
    name = f'moonfold-{_version()}-{_tag()}.whl'
    with tempfile.TemporaryDirectory() as scratch:
        library = (config_settings or {}).get('library') or _build_library(scratch)
        files = {f'moonfold/{f}': open(os.path.join(MODULE, f), 'rb').read()
                 for f in ('__init__.py', '_native.py', 'py.typed')}
        files['moonfold/libmoonfold.so.1'] = open(os.path.realpath(library), 'rb').read()
        info = _dist_info()
        files[f'{info}/METADATA'] = _metadata().encode()
        files[f'{info}/WHEEL'] = (f'Wheel-Version: 1.0\nGenerator: moonfold_build\n'
                                  f'Root-Is-Purelib: false\nTag: {_tag()}\n').encode()
        record = [_record_line(n, d) for n, d in files.items()] + [f'{info}/RECORD,,']
        files[f'{info}/RECORD'] = ('\n'.join(record) + '\n').encode()
        with zipfile.ZipFile(os.path.join(wheel_directory, name), 'w', zipfile.ZIP_DEFLATED) as z:
            for n, data in files.items():
                entry = zipfile.ZipInfo(n, (2026, 1, 1, 0, 0, 0))
                entry.external_attr = (0o755 if n.endswith('.so.1') else 0o644) << 16
                z.writestr(entry, data, zipfile.ZIP_DEFLATED)
    return name


def build_sdist(sdist_directory, config_settings=None):
    """The tree as git has it (or, outside git, without what git ignores)."""
    base = f'moonfold-{_version()}'
    try:
        listed = subprocess.run(['git', '-C', ROOT, 'ls-files'], check=True, capture_output=True,
                                text=True).stdout.split('\n')
    except (OSError, subprocess.CalledProcessError):
        # Without the builds and the npm tools' packages, as git ignores them.
        listed = [os.path.relpath(os.path.join(d, f), ROOT) for d, _, fs in os.walk(ROOT)
                  for f in fs if not os.path.relpath(d, ROOT).startswith(('build', '.git'))
                  and 'node_modules' not in d.split(os.sep)]
    name = base + '.tar.gz'
    with tarfile.open(os.path.join(sdist_directory, name), 'w:gz') as tar:
        for path in filter(None, listed):
            tar.add(os.path.join(ROOT, path), arcname=f'{base}/{path}')
    return name
